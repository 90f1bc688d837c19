<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
<context>
    <name>AlarmClock</name>
    <message>
        <source>Ce réveil a été supprimé depuis un autre appareil.</source>
        <translation>This alarm was deleted from another device.</translation>
    </message>
    <message>
        <source>Pièce introuvable</source>
        <translation>Room not found</translation>
    </message>
    <message>
        <source>Réveil modifié</source>
        <translation>Alarm updated</translation>
    </message>
    <message>
        <source>Choisissez la pièce que le réveil doit réveiller.</source>
        <translation>Choose the room for the alarm.</translation>
    </message>
    <message>
        <source>Réveil créé</source>
        <translation>Alarm created</translation>
    </message>
    <message>
        <source>Réveil activé</source>
        <translation>Alarm on</translation>
    </message>
    <message>
        <source>Réveil désactivé</source>
        <translation>Alarm off</translation>
    </message>
    <message>
        <source>Réveil supprimé</source>
        <translation>Alarm deleted</translation>
    </message>
    <message>
        <source>Ce favori n&apos;existe plus : choisissez ce que le réveil doit jouer.</source>
        <translation>That favorite no longer exists: choose what the alarm should play.</translation>
    </message>
</context>
<context>
    <name>AlarmDays</name>
    <message>
        <source>lun.</source>
        <translation>Mon</translation>
    </message>
    <message>
        <source>Lundi</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>mar.</source>
        <translation>Tue</translation>
    </message>
    <message>
        <source>Mardi</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>mer.</source>
        <translation>Wed</translation>
    </message>
    <message>
        <source>Mercredi</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>jeu.</source>
        <translation>Thu</translation>
    </message>
    <message>
        <source>Jeudi</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>ven.</source>
        <translation>Fri</translation>
    </message>
    <message>
        <source>Vendredi</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>sam.</source>
        <translation>Sat</translation>
    </message>
    <message>
        <source>Samedi</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>dim.</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>Dimanche</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>Une fois</source>
        <translation>Once</translation>
    </message>
    <message>
        <source>Tous les jours</source>
        <translation>Every day</translation>
    </message>
    <message>
        <source>En semaine</source>
        <translation>Weekdays</translation>
    </message>
    <message>
        <source>Le week-end</source>
        <translation>Weekends</translation>
    </message>
    <message>
        <source>%1 : le réveil sonne à la prochaine heure dite, puis se désactive</source>
        <extracomment>%1 is the days of a one-off alarm (&quot;Une fois&quot;)</extracomment>
        <translation>%1: the alarm goes off the next time this time comes around, then turns itself off</translation>
    </message>
</context>
<context>
    <name>AlarmEditor</name>
    <message>
        <source>Pièce introuvable</source>
        <translation>Room not found</translation>
    </message>
    <message>
        <source>Nouveau réveil</source>
        <translation>New alarm</translation>
    </message>
    <message>
        <source>Modifier le réveil</source>
        <translation>Edit alarm</translation>
    </message>
    <message>
        <source>Heure</source>
        <translation>Hour</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minutes</translation>
    </message>
    <message>
        <source>Jours</source>
        <translation>Days</translation>
    </message>
    <message>
        <source>Pièce</source>
        <translation>Room</translation>
    </message>
    <message>
        <source>Musique</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Volume du réveil</source>
        <translation>Alarm volume</translation>
    </message>
    <message>
        <source>Durée</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>Avec tout le groupe</source>
        <translation>With the whole group</translation>
    </message>
    <message>
        <source>Les pièces groupées avec celle-ci à l&apos;heure du réveil jouent aussi</source>
        <translation>Rooms grouped with this one when the alarm goes off play too</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Créer le réveil</source>
        <translation>Create alarm</translation>
    </message>
    <message>
        <source>Enregistrer</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>%1 min</source>
        <extracomment>An alarm&apos;s duration in minutes</extracomment>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 h %2</source>
        <extracomment>An alarm&apos;s duration in hours and minutes, as in &quot;1 h 30&quot;</extracomment>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>%1 h</source>
        <extracomment>An alarm&apos;s duration in whole hours, as in &quot;2 h&quot;</extracomment>
        <translation>%1 h</translation>
    </message>
</context>
<context>
    <name>AlarmRow</name>
    <message>
        <source>%1 · volume %2</source>
        <extracomment>%1 is what the alarm plays, %2 its volume</extracomment>
        <translation>%1 · volume %2</translation>
    </message>
    <message>
        <source>Modifier le réveil de %1</source>
        <extracomment>%1 is the alarm&apos;s time</extracomment>
        <translation>Edit the %1 alarm</translation>
    </message>
    <message>
        <source>Supprimer le réveil de %1</source>
        <extracomment>%1 is the alarm&apos;s time</extracomment>
        <translation>Delete the %1 alarm</translation>
    </message>
    <message>
        <source>Réveil de %1 activé</source>
        <extracomment>The switch of an alarm; %1 is its time</extracomment>
        <translation>%1 alarm on</translation>
    </message>
    <message>
        <source>Réveil de %1, %2, %3, %4, volume %5</source>
        <extracomment>%1 time, %2 days, %3 room, %4 what it plays, %5 volume</extracomment>
        <translation>%1 alarm, %2, %3, %4, volume %5</translation>
    </message>
    <message>
        <source>Réveil de %1, %2, %3, %4, volume %5, désactivé</source>
        <extracomment>%1 time, %2 days, %3 room, %4 what it plays, %5 volume</extracomment>
        <translation>%1 alarm, %2, %3, %4, volume %5, off</translation>
    </message>
</context>
<context>
    <name>Alarms</name>
    <message>
        <source>Une fois</source>
        <translation>Once</translation>
    </message>
    <message>
        <source>Tous les jours</source>
        <translation>Every day</translation>
    </message>
    <message>
        <source>En semaine</source>
        <translation>Weekdays</translation>
    </message>
    <message>
        <source>Le week-end</source>
        <translation>Weekends</translation>
    </message>
    <message>
        <source>dim.</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>lun.</source>
        <translation>Mon</translation>
    </message>
    <message>
        <source>mar.</source>
        <translation>Tue</translation>
    </message>
    <message>
        <source>mer.</source>
        <translation>Wed</translation>
    </message>
    <message>
        <source>jeu.</source>
        <translation>Thu</translation>
    </message>
    <message>
        <source>ven.</source>
        <translation>Fri</translation>
    </message>
    <message>
        <source>sam.</source>
        <translation>Sat</translation>
    </message>
    <message>
        <source>Carillon</source>
        <translation>Chime</translation>
    </message>
    <message>
        <source>Autre source</source>
        <translation>Other source</translation>
    </message>
    <message>
        <source>HH:mm</source>
        <extracomment>A QTime format: an alarm&apos;s time of day</extracomment>
        <translation>h:mm AP</translation>
    </message>
</context>
<context>
    <name>AlarmsView</name>
    <message>
        <source>Réveils</source>
        <translation>Alarms</translation>
    </message>
    <message>
        <source>Les enceintes réveillent la maison en musique</source>
        <translation>Your speakers wake the house with music</translation>
    </message>
    <message numerus="yes">
        <source>%n réveil(s) · réglés sur les enceintes, ils sonnent même ordinateur éteint</source>
        <translation>
            <numerusform>%n alarm · stored on the speakers, so it rings even when the computer is off</numerusform>
            <numerusform>%n alarms · stored on the speakers, so they ring even when the computer is off</numerusform>
        </translation>
    </message>
    <message>
        <source>Chargement des réveils</source>
        <translation>Loading alarms</translation>
    </message>
    <message>
        <source>Nouveau réveil</source>
        <translation>New alarm</translation>
    </message>
    <message>
        <source>Aucun réveil</source>
        <translation>No alarms</translation>
    </message>
    <message>
        <source>Un réveil lance un favori, une radio ou le carillon dans la pièce choisie, à l&apos;heure dite.</source>
        <translation>An alarm plays a favorite, a radio station or the chime in the room you choose, at the time you set.</translation>
    </message>
    <message>
        <source>Réveils indisponibles</source>
        <translation>Alarms unavailable</translation>
    </message>
    <message>
        <source>Réessayer</source>
        <translation>Try again</translation>
    </message>
    <message>
        <source>Supprimer le réveil de %1 ?</source>
        <extracomment>%1 is the alarm&apos;s time</extracomment>
        <translation>Delete the %1 alarm?</translation>
    </message>
    <message>
        <source>Il disparaîtra des enceintes et de toutes les applications qui les commandent.</source>
        <translation>It will be removed from the speakers and from every app that controls them.</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Supprimer</source>
        <translation>Delete</translation>
    </message>
</context>
<context>
    <name>AlbumDetailView</name>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message numerus="yes">
        <source>%n morceau(x)</source>
        <translation>
            <numerusform>%n song</numerusform>
            <numerusform>%n songs</numerusform>
        </translation>
    </message>
    <message>
        <source>Lire l&apos;album</source>
        <translation>Play album</translation>
    </message>
</context>
<context>
    <name>ArtistDetailView</name>
    <message>
        <source>Artiste</source>
        <translation>Artist</translation>
    </message>
    <message>
        <source>Lire</source>
        <extracomment>Button: play the artist&apos;s songs</extracomment>
        <translation>Play</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Radio</translation>
    </message>
    <message>
        <source>Rien trouvé pour cet artiste dans le catalogue.</source>
        <translation>Nothing found for this artist in the catalog.</translation>
    </message>
    <message>
        <source>Dernière sortie</source>
        <translation>Latest release</translation>
    </message>
    <message>
        <source>Morceaux</source>
        <translation>Songs</translation>
    </message>
    <message numerus="yes">
        <source>Afficher les %n titres</source>
        <extracomment>Only shown for more than five songs</extracomment>
        <translation>
            <numerusform>Show %n song</numerusform>
            <numerusform>Show all %n songs</numerusform>
        </translation>
    </message>
    <message>
        <source>Albums</source>
        <translation>Albums</translation>
    </message>
    <message>
        <source>Singles et EP</source>
        <translation>Singles and EPs</translation>
    </message>
    <message>
        <source>Playlists</source>
        <translation>Playlists</translation>
    </message>
    <message>
        <source>Apparitions</source>
        <extracomment>Albums of others the artist appears on</extracomment>
        <translation>Appears on</translation>
    </message>
    <message>
        <source>Artistes similaires</source>
        <translation>Similar artists</translation>
    </message>
</context>
<context>
    <name>ArtistLink</name>
    <message>
        <source>Voir la fiche de l&apos;artiste</source>
        <translation>View artist</translation>
    </message>
    <message>
        <source>Voir la fiche de l&apos;artiste %1</source>
        <extracomment>%1 is the artist&apos;s name</extracomment>
        <translation>View artist %1</translation>
    </message>
</context>
<context>
    <name>Authorization</name>
    <message>
        <source>C&apos;est fait : vous pouvez fermer cet onglet et revenir à Corvane.</source>
        <translation>All done: you can close this tab and go back to Corvane.</translation>
    </message>
    <message>
        <source>Corvane a refusé cette réponse. Relancez la connexion depuis Corvane.</source>
        <translation>Corvane rejected this response. Start connecting again from Corvane.</translation>
    </message>
    <message>
        <source>La connexion a échoué : %1</source>
        <extracomment>%1 is the browser&apos;s reason</extracomment>
        <translation>Connection failed: %1</translation>
    </message>
    <message>
        <source>Corvane et Apple Music</source>
        <translation>Corvane and Apple Music</translation>
    </message>
    <message>
        <source>Connecter Corvane à Apple Music</source>
        <translation>Connect Corvane to Apple Music</translation>
    </message>
    <message>
        <source>Connexion en cours…</source>
        <translation>Connecting…</translation>
    </message>
    <message>
        <source>Refusé.</source>
        <translation>Denied.</translation>
    </message>
    <message>
        <source>Cette page a déjà servi. Relancez la connexion depuis Corvane.</source>
        <translation>This page has already been used. Start connecting again from Corvane.</translation>
    </message>
</context>
<context>
    <name>Autostart</name>
    <message>
        <source>Corvane dans la zone de notification, dès l&apos;ouverture de session</source>
        <translation>Corvane in the system tray, as soon as you log in</translation>
    </message>
    <message>
        <source>Impossible de retirer le lancement à l&apos;ouverture de session (%1) : %2</source>
        <translation>Couldn&apos;t turn off starting at login (%1): %2</translation>
    </message>
    <message>
        <source>Impossible de créer le dossier %1 : le lancement à l&apos;ouverture de session n&apos;est pas enregistré.</source>
        <translation>Couldn&apos;t create the folder %1: starting at login wasn&apos;t saved.</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire %1 : %2. Le lancement à l&apos;ouverture de session n&apos;est pas enregistré.</source>
        <translation>Couldn&apos;t write %1: %2. Starting at login wasn&apos;t saved.</translation>
    </message>
</context>
<context>
    <name>CatalogCommand</name>
    <message>
        <source>Usage : corvane catalog &lt;commande&gt;
Commandes :
  status                    l&apos;accès à Apple Music et où est gardé le jeton
  authorize                 ouvre la connexion à Apple Music dans le navigateur
  search TERME              morceaux, albums, artistes et playlists (sans jeton : sans les playlists)
  library songs|playlists   la bibliothèque
  recent                    albums et playlists écoutés récemment
  quality ID_MORCEAU        la meilleure qualité audio proposée pour ce morceau
  album ID | playlist ID    les morceaux d&apos;un album ou d&apos;une playlist
  artist ID                 la page d&apos;un artiste
  charts [--storefront CC] [--genre ID]   les classements</source>
        <translation>Usage: corvane catalog &lt;command&gt;
Commands:
  status                    Apple Music access and where the token is kept
  authorize                 opens the Apple Music sign-in in the browser
  search TERM               songs, albums, artists and playlists (without a token: no playlists)
  library songs|playlists   the library
  recent                    recently played albums and playlists
  quality SONG_ID           the best audio quality offered for this song
  album ID | playlist ID    the songs of an album or a playlist
  artist ID                 an artist&apos;s page
  charts [--storefront CC] [--genre ID]   the charts</translation>
    </message>
    <message>
        <source>La connexion à Apple Music n&apos;a pas abouti.</source>
        <translation>Couldn&apos;t connect to Apple Music.</translation>
    </message>
    <message>
        <source>Corvane n&apos;est pas encore connecté à Apple Music : lancez « corvane catalog authorize ».</source>
        <translation>Corvane isn&apos;t connected to Apple Music yet: run “corvane catalog authorize”.</translation>
    </message>
    <message>
        <source>Indiquez ce qu&apos;il faut chercher.</source>
        <translation>Specify what to search for.</translation>
    </message>
    <message>
        <source>Indiquez l&apos;identifiant du morceau.</source>
        <translation>Specify the song ID.</translation>
    </message>
    <message>
        <source>Indiquez l&apos;identifiant.</source>
        <translation>Specify the ID.</translation>
    </message>
    <message>
        <source>Indiquez l&apos;identifiant de l&apos;artiste.</source>
        <translation>Specify the artist ID.</translation>
    </message>
    <message>
        <source>Option inconnue : « %1 ».</source>
        <translation>Unknown option: “%1”.</translation>
    </message>
    <message>
        <source>Commande inconnue : « %1 ».</source>
        <translation>Unknown command: “%1”.</translation>
    </message>
    <message>
        <source>Réponse incomplète d&apos;Apple Music : %1</source>
        <translation>Incomplete response from Apple Music: %1</translation>
    </message>
    <message>
        <source>La demande à Apple Music a échoué.</source>
        <translation>The request to Apple Music failed.</translation>
    </message>
</context>
<context>
    <name>ChartHero</name>
    <message>
        <source>N° 1 des albums</source>
        <extracomment>Caption above the first album of the charts</extracomment>
        <translation>No. 1 album</translation>
    </message>
    <message>
        <source>Voir l&apos;album</source>
        <translation>View album</translation>
    </message>
    <message>
        <source>%1 : %2</source>
        <extracomment>Spoken name of the banner: %1 is its caption, %2 the album&apos;s title and artist</extracomment>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>ChartSkeleton</name>
    <message>
        <source>Chargement des classements</source>
        <translation>Loading charts</translation>
    </message>
</context>
<context>
    <name>ConnectMusicCard</name>
    <message>
        <source>Votre bibliothèque Apple Music</source>
        <translation>Your Apple Music library</translation>
    </message>
    <message>
        <source>Apple Music n&apos;est pas configuré</source>
        <translation>Apple Music isn&apos;t set up</translation>
    </message>
    <message>
        <source>La recherche et l&apos;écoute du catalogue marchent sans rien relier. Pour retrouver ici vos playlists et votre bibliothèque, Corvane a besoin d&apos;un jeton de développeur MusicKit : le réglage « Apple Music » du son explique comment.</source>
        <translation>You can search and play the catalog without any setup. To see your playlists and library here, Corvane needs a MusicKit developer token: the “Apple Music” setting in Sound settings explains how.</translation>
    </message>
    <message>
        <source>Relier Apple Music</source>
        <translation>Connect Apple Music</translation>
    </message>
    <message>
        <source>Connexion en cours… terminez dans le navigateur.</source>
        <translation>Connecting… finish in your browser.</translation>
    </message>
    <message>
        <source>Pour retrouver vos playlists et votre bibliothèque</source>
        <translation>To see your playlists and library</translation>
    </message>
    <message>
        <source>Ouvrir le dossier des réglages</source>
        <translation>Open settings folder</translation>
    </message>
</context>
<context>
    <name>CorvaneError</name>
    <message>
        <source>L&apos;enceinte ne répond plus. Elle s&apos;est peut-être mise en veille ou a quitté le réseau.</source>
        <translation>The speaker stopped responding. It may have gone to sleep or left the network.</translation>
    </message>
    <message>
        <source>« %1 » ne répond plus. L&apos;enceinte s&apos;est peut-être mise en veille ou a quitté le réseau.</source>
        <translation>“%1” stopped responding. The speaker may have gone to sleep or left the network.</translation>
    </message>
    <message>
        <source>L&apos;enceinte a refusé la demande (code %1).</source>
        <translation>The speaker refused the request (code %1).</translation>
    </message>
    <message>
        <source>L&apos;enceinte a refusé la demande.</source>
        <translation>The speaker refused the request.</translation>
    </message>
    <message>
        <source>Aucune enceinte Sonos trouvée sur ce réseau.</source>
        <translation>No Sonos speakers found on this network.</translation>
    </message>
    <message>
        <source>Apple Music n&apos;a pas pu être identifié sur ce système Sonos. Ouvrez l&apos;app Sonos officielle, jouez un morceau Apple Music une fois, puis relancez la recherche d&apos;enceintes.</source>
        <translation>Couldn&apos;t find Apple Music on this Sonos system. Open the official Sonos app, play an Apple Music song once, then search for speakers again.</translation>
    </message>
    <message>
        <source>L&apos;enceinte refuse le contrôle local : il est désactivé sur ce système Sonos. Activez-le dans l&apos;app Sonos (Compte › Confidentialité et sécurité › UPnP), puis réessayez.</source>
        <translation>The speaker refuses local control: it&apos;s turned off on this Sonos system. Turn it on in the Sonos app (Account › Privacy &amp; Security › UPnP), then try again.</translation>
    </message>
    <message>
        <source>Cette source n&apos;a pas de modes de lecture : la lecture aléatoire et la répétition ne s&apos;appliquent qu&apos;à la file d&apos;attente.</source>
        <translation>This source has no play modes: shuffle and repeat only apply to the queue.</translation>
    </message>
    <message>
        <source>L&apos;opération a échoué.</source>
        <translation>The operation failed.</translation>
    </message>
</context>
<context>
    <name>Countries</name>
    <message>
        <source>France</source>
        <translation>France</translation>
    </message>
    <message>
        <source>Belgique</source>
        <translation>Belgium</translation>
    </message>
    <message>
        <source>Suisse</source>
        <translation>Switzerland</translation>
    </message>
    <message>
        <source>Luxembourg</source>
        <translation>Luxembourg</translation>
    </message>
    <message>
        <source>Canada</source>
        <translation>Canada</translation>
    </message>
    <message>
        <source>Maroc</source>
        <translation>Morocco</translation>
    </message>
    <message>
        <source>Sénégal</source>
        <translation>Senegal</translation>
    </message>
    <message>
        <source>Côte d&apos;Ivoire</source>
        <translation>Côte d&apos;Ivoire</translation>
    </message>
    <message>
        <source>Allemagne</source>
        <translation>Germany</translation>
    </message>
    <message>
        <source>Autriche</source>
        <translation>Austria</translation>
    </message>
    <message>
        <source>Espagne</source>
        <translation>Spain</translation>
    </message>
    <message>
        <source>Italie</source>
        <translation>Italy</translation>
    </message>
    <message>
        <source>Portugal</source>
        <translation>Portugal</translation>
    </message>
    <message>
        <source>Pays-Bas</source>
        <translation>Netherlands</translation>
    </message>
    <message>
        <source>Royaume-Uni</source>
        <translation>United Kingdom</translation>
    </message>
    <message>
        <source>Irlande</source>
        <translation>Ireland</translation>
    </message>
    <message>
        <source>Danemark</source>
        <translation>Denmark</translation>
    </message>
    <message>
        <source>Suède</source>
        <translation>Sweden</translation>
    </message>
    <message>
        <source>Norvège</source>
        <translation>Norway</translation>
    </message>
    <message>
        <source>Finlande</source>
        <translation>Finland</translation>
    </message>
    <message>
        <source>Pologne</source>
        <translation>Poland</translation>
    </message>
    <message>
        <source>États-Unis</source>
        <translation>United States</translation>
    </message>
    <message>
        <source>Mexique</source>
        <translation>Mexico</translation>
    </message>
    <message>
        <source>Brésil</source>
        <translation>Brazil</translation>
    </message>
    <message>
        <source>Australie</source>
        <translation>Australia</translation>
    </message>
    <message>
        <source>Nouvelle-Zélande</source>
        <translation>New Zealand</translation>
    </message>
    <message>
        <source>Japon</source>
        <translation>Japan</translation>
    </message>
    <message>
        <source>Corée du Sud</source>
        <translation>South Korea</translation>
    </message>
</context>
<context>
    <name>Demo</name>
    <message>
        <source>⏹ rien à jouer</source>
        <translation>⏹ nothing to play</translation>
    </message>
    <message>
        <source> source sans titre (entrée ligne)</source>
        <translation> untitled source (line-in)</translation>
    </message>
    <message>
        <source>  %1 (%2, %3) : %4, volume %5</source>
        <translation>  %1 (%2, %3): %4, volume %5</translation>
    </message>
    <message>
        <source>Maison simulée sur %1.0/24 :</source>
        <translation>Simulated home on %1.0/24:</translation>
    </message>
    <message>
        <source>Commandes sur « %1 » :</source>
        <translation>Commands on “%1”:</translation>
    </message>
    <message>
        <source>  pause     → %1</source>
        <translation>  pause     → %1</translation>
    </message>
    <message>
        <source>  lecture   → %1</source>
        <translation>  play      → %1</translation>
    </message>
    <message>
        <source>  suivant   → %1 (piste %2)</source>
        <translation>  next      → %1 (track %2)</translation>
    </message>
    <message>
        <source>  volume 40 → %1</source>
        <translation>  volume 40 → %1</translation>
    </message>
    <message>
        <source>Maison simulée en marche (Ctrl+C pour l&apos;arrêter).</source>
        <translation>Simulated home running (Ctrl+C to stop it).</translation>
    </message>
    <message>
        <source>Réseau à parcourir : CORVANE_NETWORK=%1</source>
        <translation>Network to scan: CORVANE_NETWORK=%1</translation>
    </message>
    <message>
        <source>Pièces : %1</source>
        <translation>Rooms: %1</translation>
    </message>
    <message>
        <source>Enceinte choisie : %1</source>
        <translation>Selected speaker: %1</translation>
    </message>
    <message>
        <source>En cours : %1 [%2 / %3]</source>
        <translation>Now playing: %1 [%2 / %3]</translation>
    </message>
    <message>
        <source>File d&apos;attente (%1) : %2</source>
        <translation>Queue (%1): %2</translation>
    </message>
    <message>
        <source>Favoris : %1</source>
        <translation>Favorites: %1</translation>
    </message>
    <message>
        <source>Historique (%1) : dernier « %2 »</source>
        <translation>History (%1): latest “%2”</translation>
    </message>
    <message>
        <source>Confirmation : %1</source>
        <translation>Confirmation: %1</translation>
    </message>
    <message>
        <source>Message : %1</source>
        <translation>Message: %1</translation>
    </message>
    <message>
        <source>Maison simulée sur %1.0/24, services web sur %2</source>
        <translation>Simulated home on %1.0/24, web services on %2</translation>
    </message>
    <message>
        <source>Recherche des enceintes…</source>
        <translation>Looking for speakers…</translation>
    </message>
    <message>
        <source>Lecture d&apos;un morceau du catalogue…</source>
        <translation>Playing a song from the catalog…</translation>
    </message>
    <message>
        <source>La cuisine rejoint le salon…</source>
        <translation>Cuisine joins Salon…</translation>
    </message>
    <message>
        <source>Fin de la démonstration.</source>
        <translation>End of demo.</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir les adresses de la maison simulée (%1.x:1400).</source>
        <translation>Could not open the simulated home&apos;s addresses (%1.x:1400).</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir les adresses %1.x:1400 (déjà utilisées ?). Essayez --prefix 127.78.0.</source>
        <translation>Could not open the addresses %1.x:1400 (already in use?). Try --prefix 127.78.0.</translation>
    </message>
    <message>
        <source>--screenshots demande --demo : les captures se font sur la maison simulée.</source>
        <translation>--screenshots needs --demo: the screenshots are taken on the simulated home.</translation>
    </message>
    <message>
        <source>Impossible de créer le dossier %1</source>
        <translation>Could not create the folder %1</translation>
    </message>
</context>
<context>
    <name>DetailActions</name>
    <message>
        <source>Lire ensuite</source>
        <translation>Play next</translation>
    </message>
    <message>
        <source>Ajouter à la file</source>
        <translation>Add to queue</translation>
    </message>
</context>
<context>
    <name>Events</name>
    <message>
        <source>L’enceinte refuse l’abonnement (%1).</source>
        <translation>The speaker refused the subscription (%1).</translation>
    </message>
</context>
<context>
    <name>ExpandedView</name>
    <message>
        <source>Réduire</source>
        <translation>Collapse</translation>
    </message>
    <message>
        <source>File d&apos;attente</source>
        <translation>Queue</translation>
    </message>
</context>
<context>
    <name>ExploreView</name>
    <message>
        <source>Explorer</source>
        <translation>Explore</translation>
    </message>
    <message>
        <source>Pays</source>
        <translation>Country</translation>
    </message>
    <message>
        <source>Genre</source>
        <extracomment>Music genre</extracomment>
        <translation>Genre</translation>
    </message>
    <message>
        <source>Top titres</source>
        <translation>Top songs</translation>
    </message>
    <message>
        <source>Tout lire</source>
        <translation>Play all</translation>
    </message>
    <message>
        <source>Top albums</source>
        <translation>Top albums</translation>
    </message>
    <message>
        <source>Playlists</source>
        <translation>Playlists</translation>
    </message>
    <message>
        <source>Radios</source>
        <translation>Radio stations</translation>
    </message>
    <message>
        <source>Pas de classement ici</source>
        <translation>No charts here</translation>
    </message>
    <message>
        <source>Le catalogue n&apos;a rien renvoyé pour ce pays et ce genre. Essayez un autre choix.</source>
        <translation>The catalog returned nothing for this country and genre. Try another choice.</translation>
    </message>
</context>
<context>
    <name>Favorites</name>
    <message>
        <source>Lecture · %1</source>
        <translation>Playing · %1</translation>
    </message>
    <message>
        <source>Ajouté aux favoris · %1</source>
        <translation>Added to favorites · %1</translation>
    </message>
    <message>
        <source>Retiré des favoris</source>
        <translation>Removed from favorites</translation>
    </message>
</context>
<context>
    <name>FirstRun</name>
    <message>
        <source>Saisissez un artiste, un album, un titre ou une playlist dans la barre du haut.</source>
        <translation>Type an artist, album, song or playlist in the bar at the top.</translation>
    </message>
    <message>
        <source>Entrée lance le premier résultat, un double-clic joue n&apos;importe quelle ligne.</source>
        <translation>Enter plays the first result; double-click any row to play it.</translation>
    </message>
    <message>
        <source>Cliquez la pochette en bas à gauche pour la voir en grand (Ctrl+0).</source>
        <translation>Click the artwork at the bottom left to see it full size (Ctrl+0).</translation>
    </message>
    <message>
        <source>Le son part d&apos;Apple Music vers l&apos;enceinte — rien ne passe par cet ordinateur.</source>
        <translation>The music goes from Apple Music to the speaker — nothing passes through this computer.</translation>
    </message>
    <message>
        <source>Commencez par une recherche</source>
        <translation>Start with a search</translation>
    </message>
</context>
<context>
    <name>GroupCard</name>
    <message numerus="yes">
        <source>%n pièces en synchronisme</source>
        <extracomment>Only shown for two rooms or more</extracomment>
        <translation>
            <numerusform>%n room in sync</numerusform>
            <numerusform>%n rooms in sync</numerusform>
        </translation>
    </message>
    <message>
        <source>Masquer les autres pièces</source>
        <extracomment>%1 is how many rooms could be added</extracomment>
        <translation>Hide other rooms</translation>
    </message>
    <message>
        <source>Ajouter une pièce (%1)</source>
        <translation>Add a room (%1)</translation>
    </message>
</context>
<context>
    <name>GroupsView</name>
    <message>
        <source>Pièces et groupes</source>
        <translation>Rooms and groups</translation>
    </message>
    <message numerus="yes">
        <source>%n enceinte(s)</source>
        <translation>
            <numerusform>%n speaker</numerusform>
            <numerusform>%n speakers</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n groupe(s)</source>
        <translation>
            <numerusform>%n group</numerusform>
            <numerusform>%n groups</numerusform>
        </translation>
    </message>
    <message>
        <source>Rechercher</source>
        <extracomment>Button: look for the speakers again</extracomment>
        <translation>Find speakers</translation>
    </message>
    <message>
        <source>Aucune enceinte</source>
        <translation>No speakers</translation>
    </message>
    <message>
        <source>Corvane n&apos;a trouvé aucun Sonos sur ce réseau.</source>
        <translation>Corvane found no Sonos speakers on this network.</translation>
    </message>
    <message>
        <source>Avec une seule enceinte, il n&apos;y a rien à grouper. Dès qu&apos;une deuxième apparaît sur le réseau, il sera possible de les faire jouer ensemble depuis ici.</source>
        <translation>With just one speaker, there&apos;s nothing to group. As soon as a second one shows up on the network, you can make them play together from here.</translation>
    </message>
    <message>
        <source>0 enceintes · 0 groupes</source>
        <translation>0 speakers · 0 groups</translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>Aujourd&apos;hui</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>Hier</source>
        <translation>Yesterday</translation>
    </message>
    <message>
        <source>dddd d MMMM</source>
        <extracomment>A date format of QLocale::toString: the day of this year&apos;s plays</extracomment>
        <translation>dddd, MMMM d</translation>
    </message>
    <message>
        <source>d MMMM yyyy</source>
        <extracomment>A date format of QLocale::toString: the day of an earlier year&apos;s plays</extracomment>
        <translation>MMMM d, yyyy</translation>
    </message>
    <message>
        <source>HH:mm</source>
        <extracomment>A QTime format: the time a song was played</extracomment>
        <translation>h:mm AP</translation>
    </message>
</context>
<context>
    <name>HistoryRow</name>
    <message>
        <source>Ajouter à la file</source>
        <translation>Add to queue</translation>
    </message>
    <message>
        <source>Lire maintenant</source>
        <translation>Play now</translation>
    </message>
</context>
<context>
    <name>HistoryView</name>
    <message>
        <source>Historique d&apos;écoute</source>
        <translation>Listening history</translation>
    </message>
    <message>
        <source>Rien encore</source>
        <translation>Nothing yet</translation>
    </message>
    <message numerus="yes">
        <source>%n écoute(s) conservée(s)</source>
        <translation>
            <numerusform>%n play saved</numerusform>
            <numerusform>%n plays saved</numerusform>
        </translation>
    </message>
    <message>
        <source>Top artistes</source>
        <translation>Top artists</translation>
    </message>
    <message>
        <source>Effacer</source>
        <extracomment>Button: clear the listening history</extracomment>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Effacer tout l&apos;historique ?</source>
        <translation>Clear all listening history?</translation>
    </message>
    <message numerus="yes">
        <source>Les %n écoutes conservées disparaîtront de tous vos ordinateurs. Cette action est définitive.</source>
        <translation>
            <numerusform>The %n saved play will be removed from all your computers. This can&apos;t be undone.</numerusform>
            <numerusform>All %n saved plays will be removed from all your computers. This can&apos;t be undone.</numerusform>
        </translation>
    </message>
    <message>
        <source>L&apos;écoute conservée disparaîtra de tous vos ordinateurs. Cette action est définitive.</source>
        <translation>The saved play will be removed from all your computers. This can&apos;t be undone.</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Effacer l&apos;historique</source>
        <translation>Clear history</translation>
    </message>
    <message>
        <source>Historique vide</source>
        <translation>No history yet</translation>
    </message>
    <message>
        <source>Chaque morceau lancé depuis Corvane s&apos;inscrit ici, et y reste.</source>
        <translation>Every song you play from Corvane is listed here, and stays here.</translation>
    </message>
</context>
<context>
    <name>Home</name>
    <message>
        <source>Pour vous</source>
        <translation>For you</translation>
    </message>
    <message>
        <source>Mon pays</source>
        <translation>My country</translation>
    </message>
    <message>
        <source>Tous</source>
        <extracomment>All the genres of the charts</extracomment>
        <translation>All genres</translation>
    </message>
    <message>
        <source>Top titres</source>
        <translation>Top songs</translation>
    </message>
    <message>
        <source>Bonjour</source>
        <translation>Good morning</translation>
    </message>
    <message>
        <source>Bon après-midi</source>
        <translation>Good afternoon</translation>
    </message>
    <message>
        <source>Bonsoir</source>
        <translation>Good evening</translation>
    </message>
    <message>
        <source>Bonne nuit</source>
        <translation>Good evening</translation>
    </message>
</context>
<context>
    <name>HomeHeader</name>
    <message>
        <source>Préparation de « %1 »…</source>
        <extracomment>%1 is the album, playlist or song being readied on the speaker</extracomment>
        <translation>Getting “%1” ready…</translation>
    </message>
    <message>
        <source>Recherche d&apos;enceintes…</source>
        <translation>Looking for speakers…</translation>
    </message>
    <message>
        <source>Aucune enceinte trouvée</source>
        <translation>No speakers found</translation>
    </message>
    <message>
        <source>Pièces et groupes</source>
        <translation>Rooms and groups</translation>
    </message>
    <message>
        <source>Rechercher</source>
        <translation>Find speakers</translation>
    </message>
</context>
<context>
    <name>HomeLibrary</name>
    <message>
        <source>Vos playlists</source>
        <translation>Your playlists</translation>
    </message>
</context>
<context>
    <name>HomeView</name>
    <message>
        <source>Ajouts récents</source>
        <translation>Recently added</translation>
    </message>
    <message>
        <source>Morceaux ajoutés</source>
        <translation>Songs you added</translation>
    </message>
    <message>
        <source>En rotation</source>
        <translation>Heavy rotation</translation>
    </message>
    <message>
        <source>Écoutés récemment</source>
        <extracomment>Shelf of the albums played lately</extracomment>
        <translation>Recently played</translation>
    </message>
    <message>
        <source>Nouveautés</source>
        <translation>New releases</translation>
    </message>
    <message>
        <source>Sorties des 8 dernières semaines</source>
        <translation>Released in the last 8 weeks</translation>
    </message>
    <message>
        <source>Top titres</source>
        <translation>Top songs</translation>
    </message>
    <message>
        <source>Tout lire</source>
        <translation>Play all</translation>
    </message>
    <message>
        <source>Top albums</source>
        <translation>Top albums</translation>
    </message>
    <message>
        <source>Favoris Sonos</source>
        <translation>Sonos favorites</translation>
    </message>
    <message>
        <source>Écouté récemment</source>
        <extracomment>Shelf of the songs played lately</extracomment>
        <translation>Recently played songs</translation>
    </message>
    <message>
        <source>Tout l&apos;historique</source>
        <translation>Full history</translation>
    </message>
    <message>
        <source>Vos artistes</source>
        <translation>Your artists</translation>
    </message>
    <message numerus="yes">
        <source>%n écoute(s)</source>
        <extracomment>How many times the artist was played</extracomment>
        <translation>
            <numerusform>%n play</numerusform>
            <numerusform>%n plays</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Household</name>
    <message>
        <source>Aucune enceinte trouvée. Vérifiez que Corvane est autorisée à accéder au réseau local, et que vos enceintes sont allumées sur le même réseau Wi-Fi.</source>
        <translation>No speakers found. Check that Corvane is allowed to access the local network and that your speakers are on and connected to the same Wi-Fi network.</translation>
    </message>
    <message>
        <source>Pilote le groupe · %1</source>
        <translation>Leads the group · %1</translation>
    </message>
    <message>
        <source>La connexion à Apple Music n&apos;a pas abouti : la page du navigateur a été fermée ou n&apos;a pas répondu à temps. Réessayez avec « Relier Apple Music ».</source>
        <translation>Couldn&apos;t connect to Apple Music: the browser page was closed or didn&apos;t respond in time. Try again with “Connect Apple Music”.</translation>
    </message>
    <message>
        <source>Groupe</source>
        <translation>Group</translation>
    </message>
</context>
<context>
    <name>Intents</name>
    <message>
        <source>En pause.</source>
        <translation>Paused.</translation>
    </message>
    <message>
        <source>Lecture lancée.</source>
        <translation>Playing.</translation>
    </message>
    <message>
        <source>Lecture de %1.</source>
        <translation>Playing %1.</translation>
    </message>
    <message>
        <source>Morceau suivant.</source>
        <translation>Next song.</translation>
    </message>
    <message>
        <source>Aucun favori enregistré sur ce système Sonos.</source>
        <translation>No favorites saved on this Sonos system.</translation>
    </message>
    <message>
        <source>Minuterie annulée.</source>
        <translation>Sleep timer canceled.</translation>
    </message>
    <message numerus="yes">
        <source>La musique s&apos;arrêtera dans %n minute(s).</source>
        <translation>
            <numerusform>The music will stop in %n minute.</numerusform>
            <numerusform>The music will stop in %n minutes.</numerusform>
        </translation>
    </message>
    <message>
        <source>Volume du groupe : %1.</source>
        <translation>Group volume: %1.</translation>
    </message>
    <message>
        <source>Enceinte trouvée : %1 (%2, %3)</source>
        <translation>Speaker found: %1 (%2, %3)</translation>
    </message>
    <message>
        <source>
Groupes :
%1</source>
        <translation>
Groups:
%1</translation>
    </message>
    <message>
        <source>
Les groupes n&apos;ont pas pu être lus : %1</source>
        <translation>
Couldn&apos;t read the groups: %1</translation>
    </message>
    <message>
        <source>Usage : corvane &lt;raccourci&gt; [--network adresse/masque]
Raccourcis :
  play-pause         Lecture / Pause
  next               Morceau suivant
  previous           Morceau précédent
  favorite [NOM]     Jouer un favori (le premier dont le titre contient NOM)
  sleep [MINUTES]    Arrêt programmé (30 minutes par défaut, 0 l&apos;annule)
  volume [+N|-N|N]   Volume du groupe : le lit, le monte, le baisse ou le règle (0 à 100)</source>
        <translation>Usage: corvane &lt;shortcut&gt; [--network address/mask]
Shortcuts:
  play-pause         Play/Pause
  next               Next song
  previous           Previous song
  favorite [NAME]    Play a favorite (the first whose title contains NAME)
  sleep [MINUTES]    Sleep timer (30 minutes by default, 0 cancels it)
  volume [+N|-N|N]   Group volume: show, raise, lower or set it (0 to 100)</translation>
    </message>
    <message>
        <source>Indiquez un volume de 0 à 100, ou un écart comme +5 ou -5.</source>
        <translation>Specify a volume from 0 to 100, or a change such as +5 or -5.</translation>
    </message>
    <message>
        <source>Indiquez une durée en minutes, par exemple : corvane sleep 45.</source>
        <translation>Specify a duration in minutes, for example: corvane sleep 45.</translation>
    </message>
    <message>
        <source>« %1 » ne prend pas d&apos;argument.</source>
        <translation>“%1” takes no arguments.</translation>
    </message>
    <message>
        <source>Raccourci inconnu : « %1 ».</source>
        <translation>Unknown shortcut: “%1”.</translation>
    </message>
</context>
<context>
    <name>LiveUpdates</name>
    <message>
        <source>Mises à jour instantanées : les enceintes signalent chaque changement.</source>
        <translation>Instant updates: the speakers report every change.</translation>
    </message>
    <message>
        <source>Mises à jour toutes les 5 s : cet ordinateur bloque les messages des enceintes (port TCP %1).</source>
        <translation>Refreshing every 5 s: this computer’s firewall blocks the speakers’ updates (TCP port %1).</translation>
    </message>
    <message>
        <source>Mises à jour toutes les 5 s : Corvane ne peut pas recevoir les messages des enceintes sur ce réseau.</source>
        <translation>Refreshing every 5 s: Corvane can&apos;t receive the speakers’ updates on this network.</translation>
    </message>
    <message>
        <source>Mises à jour toutes les 5 s : l’enceinte n’accepte pas d’abonnement à ses changements.</source>
        <translation>Refreshing every 5 s: the speaker doesn&apos;t offer updates of its changes.</translation>
    </message>
</context>
<context>
    <name>LiveUpdatesLine</name>
    <message>
        <source>Pour les laisser passer, avec ufw :</source>
        <translation>To let them through with ufw:</translation>
    </message>
    <message>
        <source>Commande ufw</source>
        <translation>ufw command</translation>
    </message>
    <message>
        <source>ou avec firewalld :</source>
        <translation>or with firewalld:</translation>
    </message>
    <message>
        <source>Commandes firewalld</source>
        <translation>firewalld commands</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>Usage :
  corvane                           ouvre la fenêtre et cherche les enceintes du réseau local
  corvane --tray                    démarre dans la zone de notification, sans fenêtre
  corvane --demo                    la fenêtre sur la maison et les services simulés
  corvane --demo --no-token         la même, sans jeton de développeur MusicKit (recherche publique)
  corvane --demo --screenshots DOSSIER
                                    une capture de chaque écran, puis quitte
  corvane --demo --headless         le modèle de l&apos;application sur la maison simulée, sans fenêtre
  corvane --demo --console          la maison simulée pilotée pas à pas, sans fenêtre
  corvane sim [--prefix 127.77.0] [--crowded]
                                    lance la maison simulée seule (--crowded : 32 pièces)
  corvane speaker &lt;ip&gt; &lt;commande&gt;   pilote une enceinte (voir corvane speaker --help)
  corvane discover                  trouve une enceinte et montre les groupes de la maison
  corvane catalog &lt;commande&gt;        Apple Music en ligne de commande (voir corvane catalog --help)
  corvane play-pause | next | previous | favorite [NOM] | sleep [MINUTES] | volume [+N|-N|N]
                                    raccourcis (voir corvane shortcuts --help)
Options :
  --network adresse/masque          réseau à parcourir (sinon CORVANE_NETWORK ou l&apos;interface choisie)
  --notify                          montre aussi la réponse dans une notification du bureau
</source>
        <translation>Usage:
  corvane                           opens the window and looks for speakers on the local network
  corvane --tray                    starts in the system tray, with no window
  corvane --demo                    the window on the simulated home and services
  corvane --demo --no-token         the same, without a MusicKit developer token (public search)
  corvane --demo --screenshots FOLDER
                                    a screenshot of each screen, then quits
  corvane --demo --headless         the app&apos;s model on the simulated home, with no window
  corvane --demo --console          the simulated home driven step by step, with no window
  corvane sim [--prefix 127.77.0] [--crowded]
                                    runs the simulated home on its own (--crowded: 32 rooms)
  corvane speaker &lt;ip&gt; &lt;command&gt;    controls a speaker (see corvane speaker --help)
  corvane discover                  finds a speaker and shows the home&apos;s groups
  corvane catalog &lt;command&gt;         Apple Music from the command line (see corvane catalog --help)
  corvane play-pause | next | previous | favorite [NAME] | sleep [MINUTES] | volume [+N|-N|N]
                                    shortcuts (see corvane shortcuts --help)
Options:
  --network address/mask            network to scan (otherwise CORVANE_NETWORK or the chosen interface)
  --notify                          also shows the answer in a desktop notification
</translation>
    </message>
    <message>
        <source>C&apos;est fait.</source>
        <translation>Done.</translation>
    </message>
    <message>
        <source>--network attend un réseau IPv4 comme 192.168.1.20/255.255.255.0 ou 192.168.1.20/24.</source>
        <translation>--network expects an IPv4 network such as 192.168.1.20/255.255.255.0 or 192.168.1.20/24.</translation>
    </message>
    <message>
        <source>--screenshots attend un dossier.</source>
        <translation>--screenshots expects a folder.</translation>
    </message>
    <message>
        <source>Le préfixe doit désigner un /24 de bouclage, par exemple 127.77.0.</source>
        <translation>The prefix must name a loopback /24, for example 127.77.0.</translation>
    </message>
    <message>
        <source>Ouvrez cette page pour vous connecter à Apple Music : %1</source>
        <translation>Open this page to connect to Apple Music: %1</translation>
    </message>
    <message>
        <source>Commande inconnue : « %1 ».</source>
        <translation>Unknown command: “%1”.</translation>
    </message>
</context>
<context>
    <name>MemberRow</name>
    <message>
        <source>Volume %1</source>
        <extracomment>%1 is the room&apos;s volume</extracomment>
        <translation>Volume %1</translation>
    </message>
    <message>
        <source>Ajouter</source>
        <extracomment>Button: add the room to the group, or take it out of it</extracomment>
        <translation>Add</translation>
    </message>
    <message>
        <source>Détacher</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Ajouter %1</source>
        <extracomment>%1 is a room&apos;s name</extracomment>
        <translation>Add %1</translation>
    </message>
    <message>
        <source>Détacher %1</source>
        <extracomment>%1 is a room&apos;s name</extracomment>
        <translation>Remove %1 from group</translation>
    </message>
</context>
<context>
    <name>MusicAccountRow</name>
    <message>
        <source>Apple Music</source>
        <extracomment>The music service&apos;s name</extracomment>
        <translation>Apple Music</translation>
    </message>
    <message>
        <source>Connexion…</source>
        <translation>Connecting…</translation>
    </message>
    <message>
        <source>Connecter</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Connecté — vos playlists et votre bibliothèque sont disponibles.</source>
        <translation>Connected — your playlists and library are available.</translation>
    </message>
    <message>
        <source>Non connecté. Sans accès, ni playlists, ni bibliothèque, ni recherche.</source>
        <translation>Not connected. Without access: no playlists, no library, no search.</translation>
    </message>
    <message>
        <source>Catalogue de</source>
        <extracomment>Stands before the chooser of the catalogue&apos;s country (&quot;Catalogue de France&quot;)</extracomment>
        <translation>Catalog for</translation>
    </message>
    <message>
        <source>Pays du catalogue Apple Music</source>
        <translation>Apple Music catalog country</translation>
    </message>
    <message>
        <source>Si rien ne se passe, terminez la connexion dans la page qui s&apos;est ouverte dans votre navigateur, ou relancez-la ici.</source>
        <translation>If nothing happens, finish connecting on the page that opened in your browser, or start again here.</translation>
    </message>
    <message>
        <source>Aucun trousseau de clés n&apos;a répondu : la connexion est gardée dans un fichier privé de votre dossier personnel.</source>
        <translation>No system keyring found, so your sign-in is stored in a private file in your home folder.</translation>
    </message>
</context>
<context>
    <name>MusicLinkButton</name>
    <message>
        <source>Apple Music est relié</source>
        <translation>Apple Music is connected</translation>
    </message>
    <message>
        <source>Connexion… terminez dans le navigateur</source>
        <translation>Connecting… finish in your browser</translation>
    </message>
    <message>
        <source>Relier Apple Music</source>
        <translation>Connect Apple Music</translation>
    </message>
    <message>
        <source>Vous pouvez chercher et écouter tout le catalogue Apple Music : vos enceintes le jouent avec votre compte. Un jeton de développeur MusicKit ajouterait votre bibliothèque et vos playlists.</source>
        <translation>You can search and play the whole Apple Music catalog: your speakers play it with your account. A MusicKit developer token would add your library and playlists.</translation>
    </message>
    <message>
        <source>Apple Music n&apos;est pas configuré : il manque à Corvane son jeton de développeur MusicKit. Les enceintes, les favoris, la radio et la file d&apos;attente marchent sans lui.</source>
        <translation>Apple Music isn&apos;t set up: Corvane is missing its MusicKit developer token. Speakers, favorites, radio and the queue work without it.</translation>
    </message>
    <message>
        <source>Masquer les explications</source>
        <translation>Hide details</translation>
    </message>
    <message>
        <source>Ajouter votre bibliothèque ?</source>
        <translation>Add your library?</translation>
    </message>
    <message>
        <source>Comment l&apos;ajouter ?</source>
        <translation>How do I set it up?</translation>
    </message>
    <message>
        <source>Ouvrir le dossier des réglages</source>
        <translation>Open settings folder</translation>
    </message>
</context>
<context>
    <name>Network</name>
    <message>
        <source>Corvane est déjà ouvert mais ne répond pas (%1).</source>
        <translation>Corvane is already open but isn&apos;t responding (%1).</translation>
    </message>
    <message>
        <source>Le catalogue d&apos;Apple Music ne répond pas : %1</source>
        <translation>The Apple Music catalog isn&apos;t responding: %1</translation>
    </message>
    <message>
        <source>Trop de recherches à la fois : le catalogue public d&apos;Apple Music demande d&apos;attendre un instant. Corvane réessaie dans quelques secondes.</source>
        <translation>Too many searches at once: Apple Music&apos;s public catalog asks for a short wait. Corvane will try again in a few seconds.</translation>
    </message>
    <message>
        <source>Le catalogue d&apos;Apple Music a répondu par une erreur (%1). Réessayez plus tard.</source>
        <translation>The Apple Music catalog returned an error (%1). Try again later.</translation>
    </message>
    <message>
        <source>La réponse du catalogue d&apos;Apple Music est incomplète ou illisible.</source>
        <translation>The Apple Music catalog&apos;s response is incomplete or unreadable.</translation>
    </message>
    <message>
        <source>Apple Music refuse le jeton de développeur de Corvane (erreur 401).</source>
        <translation>Apple Music rejected Corvane&apos;s developer token (error 401).</translation>
    </message>
    <message>
        <source>Accès refusé. Apple Music n&apos;accepte plus l&apos;autorisation donnée à Corvane : reliez de nouveau votre compte avec « Relier Apple Music ».</source>
        <translation>Access denied. Apple Music no longer accepts the permission you gave Corvane: connect your account again with “Connect Apple Music”.</translation>
    </message>
    <message>
        <source>Apple Music n&apos;est pas configuré : il manque le jeton de développeur MusicKit de Corvane.</source>
        <translation>Apple Music isn&apos;t set up: Corvane&apos;s MusicKit developer token is missing.</translation>
    </message>
    <message>
        <source>La clé MusicKit %1 ne peut pas être lue (%2).
</source>
        <translation>The MusicKit key %1 can&apos;t be read (%2).
</translation>
    </message>
    <message>
        <source>La clé MusicKit %1 est indiquée, mais il manque %2.
</source>
        <translation>The MusicKit key %1 is set, but %2 is missing.
</translation>
    </message>
    <message>
        <source>son identifiant de clé</source>
        <translation>its key ID</translation>
    </message>
    <message>
        <source>votre identifiant d&apos;équipe</source>
        <translation>your team ID</translation>
    </message>
    <message>
        <source>Le fichier %1 n&apos;est pas une clé MusicKit .p8 utilisable.
</source>
        <translation>The file %1 isn&apos;t a usable MusicKit .p8 key.
</translation>
    </message>
    <message>
        <source>Sans jeton de développeur MusicKit, Corvane cherche dans le catalogue public d&apos;Apple Music, et vos enceintes jouent ce que vous choisissez avec le compte Apple Music de votre système Sonos. Le jeton, qui signe chaque demande de Corvane à Apple Music, ajoute votre bibliothèque, vos playlists et vos recommandations.
Pour le fournir, au choix :
  1. un jeton entier, dans la variable d&apos;environnement CORVANE_DEVELOPER_TOKEN ou en ligne developerToken= de la section [origins] du fichier de réglages ;
  2. votre propre clé MusicKit (le fichier .p8, son identifiant de clé et votre identifiant d&apos;équipe Apple Developer), dont Corvane tire le jeton lui-même : les variables CORVANE_MUSICKIT_KEY_FILE, CORVANE_MUSICKIT_KEY_ID et CORVANE_MUSICKIT_TEAM_ID, ou les lignes musicKitKeyFile=, musicKitKeyId= et musicKitTeamId= de la section [origins].
Fichier de réglages : %1. Relancez Corvane ensuite, puis reliez votre compte Apple Music.
Sans jeton, la recherche du catalogue, les enceintes, les favoris, la radio, la file d&apos;attente et l&apos;entrée ligne fonctionnent normalement.</source>
        <translation>Without a MusicKit developer token, Corvane searches Apple Music&apos;s public catalog, and your speakers play what you choose with your Sonos system&apos;s Apple Music account. The token, which signs every request Corvane makes to Apple Music, adds your library, your playlists and your recommendations.
To provide it, use either:
  1. a complete token, in the CORVANE_DEVELOPER_TOKEN environment variable or as a developerToken= line in the [origins] section of the settings file;
  2. your own MusicKit key (the .p8 file, its key ID and your Apple Developer team ID), from which Corvane makes the token itself: the CORVANE_MUSICKIT_KEY_FILE, CORVANE_MUSICKIT_KEY_ID and CORVANE_MUSICKIT_TEAM_ID variables, or the musicKitKeyFile=, musicKitKeyId= and musicKitTeamId= lines in the [origins] section.
Settings file: %1. Then restart Corvane and connect your Apple Music account.
Without a token, catalog search, speakers, favorites, radio, the queue and line-in work as usual.</translation>
    </message>
    <message>
        <source>il se trouve dans un dossier temporaire partagé</source>
        <translation>it is in a shared temporary folder</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier ordinaire (un lien, peut-être)</source>
        <translation>it isn&apos;t a regular file (a link, perhaps)</translation>
    </message>
    <message>
        <source>il appartient à un autre compte</source>
        <translation>it belongs to another account</translation>
    </message>
    <message>
        <source>d&apos;autres comptes peuvent le lire ou le modifier</source>
        <translation>other accounts can read or change it</translation>
    </message>
    <message>
        <source>Le jeton Apple Music enregistré dans %1 est ignoré : %2. Supprimez ce fichier, puis reconnectez Corvane à Apple Music.</source>
        <translation>The Apple Music token saved in %1 is being ignored: %2. Delete this file, then reconnect Corvane to Apple Music.</translation>
    </message>
    <message>
        <source>Le jeton Apple Music n&apos;est pas enregistré : sans trousseau ni dossier personnel, il irait dans un dossier temporaire partagé.</source>
        <translation>The Apple Music token wasn&apos;t saved: with no keyring and no home folder, it would end up in a shared temporary folder.</translation>
    </message>
    <message>
        <source>Apple Music ne répond pas : %1</source>
        <translation>Apple Music isn&apos;t responding: %1</translation>
    </message>
    <message>
        <source>Apple Music refuse le jeton de développeur de Corvane (erreur 401) : il a expiré ou n&apos;est pas valable. Vérifiez CORVANE_DEVELOPER_TOKEN ou la clé MusicKit.</source>
        <translation>Apple Music rejected Corvane&apos;s developer token (error 401): it has expired or isn&apos;t valid. Check CORVANE_DEVELOPER_TOKEN or the MusicKit key.</translation>
    </message>
    <message>
        <source>Apple Music refuse l&apos;accès à votre compte (erreur 403) : reconnectez Corvane avec « corvane catalog authorize ».</source>
        <translation>Apple Music denied access to your account (error 403): reconnect Corvane with “corvane catalog authorize”.</translation>
    </message>
    <message>
        <source>Apple Music refuse cette demande (erreur 403).</source>
        <translation>Apple Music refused this request (error 403).</translation>
    </message>
    <message>
        <source>Apple Music ne trouve pas ce qui est demandé (erreur 404).</source>
        <translation>Apple Music can&apos;t find what was requested (error 404).</translation>
    </message>
    <message>
        <source>Apple Music a répondu par une erreur (%1). Réessayez plus tard.</source>
        <translation>Apple Music returned an error (%1). Try again later.</translation>
    </message>
    <message>
        <source>La réponse d&apos;Apple Music est incomplète ou illisible.</source>
        <translation>Apple Music&apos;s response is incomplete or unreadable.</translation>
    </message>
    <message>
        <source>Le délai d&apos;attente est dépassé : l&apos;appareil n&apos;a pas répondu à temps.</source>
        <translation>Timed out: the device didn&apos;t respond in time.</translation>
    </message>
    <message>
        <source>La demande a été annulée.</source>
        <translation>The request was canceled.</translation>
    </message>
    <message>
        <source>La connexion a été refusée : l&apos;appareil n&apos;écoute pas à cette adresse.</source>
        <translation>Connection refused: the device isn&apos;t listening at this address.</translation>
    </message>
    <message>
        <source>L&apos;appareil a fermé la connexion avant de répondre.</source>
        <translation>The device closed the connection before responding.</translation>
    </message>
    <message>
        <source>Adresse introuvable sur le réseau.</source>
        <translation>Address not found on the network.</translation>
    </message>
    <message>
        <source>La connexion sécurisée a échoué.</source>
        <translation>The secure connection failed.</translation>
    </message>
    <message>
        <source>Le réseau est momentanément indisponible.</source>
        <translation>The network is temporarily unavailable.</translation>
    </message>
    <message>
        <source>Le proxy réseau a empêché la connexion.</source>
        <translation>The network proxy blocked the connection.</translation>
    </message>
    <message>
        <source>L&apos;appareil a envoyé une réponse illisible.</source>
        <translation>The device sent an unreadable response.</translation>
    </message>
    <message>
        <source>L&apos;appareil est injoignable sur le réseau (hôte inaccessible ou réseau indisponible).</source>
        <translation>The device can&apos;t be reached on the network (host unreachable or network unavailable).</translation>
    </message>
</context>
<context>
    <name>NowPlayingSummary</name>
    <message>
        <source>Afficher en grand</source>
        <translation>Expand</translation>
    </message>
    <message>
        <source>Préparation de « %1 »…</source>
        <extracomment>%1 is the album, playlist or song being readied on the speaker</extracomment>
        <translation>Getting “%1” ready…</translation>
    </message>
    <message>
        <source>Rien en lecture</source>
        <translation>Nothing playing</translation>
    </message>
    <message>
        <source>Retirer des favoris Sonos</source>
        <translation>Remove from Sonos favorites</translation>
    </message>
    <message>
        <source>Ajouter aux favoris Sonos</source>
        <translation>Add to Sonos favorites</translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>Vos enceintes Sonos,
avec Apple Music</source>
        <translation>Your Sonos speakers,
with Apple Music</translation>
    </message>
    <message>
        <source>Corvane est une télécommande : elle cherche vos enceintes sur le réseau, puis leur dit quoi jouer. Votre bibliothèque Apple Music, vos playlists, vos favoris — tout est là.</source>
        <translation>Corvane is a remote control: it finds your speakers on the network, then tells them what to play. Your Apple Music library, your playlists, your favorites — it&apos;s all here.</translation>
    </message>
    <message>
        <source>Sans passer
par votre ordinateur</source>
        <translation>Straight to
your speakers</translation>
    </message>
    <message>
        <source>Pas d&apos;AirPlay, pas de recompression. L&apos;enceinte va chercher le morceau elle-même, directement chez Apple. Vous pouvez refermer votre ordinateur : la musique continue.</source>
        <translation>No AirPlay, no re-encoding. The speaker fetches the song itself, straight from Apple. You can close your laptop: the music keeps playing.</translation>
    </message>
    <message>
        <source>Apple Music
est indispensable</source>
        <translation>Apple Music
is required</translation>
    </message>
    <message>
        <source>Corvane ne fonctionne qu&apos;avec Apple Music : c&apos;est le seul service qu&apos;elle sait piloter. Il vous faut un abonnement actif, et Apple Music déjà ajouté dans l&apos;app Sonos : vos enceintes jouent avec ce compte. Ni Spotify, ni Deezer, ni fichiers locaux.</source>
        <translation>Corvane works only with Apple Music: it&apos;s the only service it can control. You need an active subscription, with Apple Music added to the Sonos app: your speakers play using that account. No Spotify, no Deezer, no local files.</translation>
    </message>
    <message>
        <source>Tout se passe
chez vous</source>
        <translation>Everything stays
at home</translation>
    </message>
    <message>
        <source>Vos enceintes vivent sur votre réseau local : Corvane l&apos;explore pour les trouver, c&apos;est le seul moyen. Rien ne quitte votre domicile : ni compte, ni serveur, ni traqueur.</source>
        <translation>Your speakers live on your local network: Corvane scans it to find them. Nothing leaves your home: no accounts, no servers, no trackers.</translation>
    </message>
    <message>
        <source>Page %1 sur %2</source>
        <extracomment>%1 is the page shown, %2 how many there are</extracomment>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>Passer</source>
        <extracomment>Button: skip the introduction</extracomment>
        <translation>Skip</translation>
    </message>
    <message>
        <source>Rechercher mes enceintes</source>
        <translation>Find my speakers</translation>
    </message>
    <message>
        <source>Continuer</source>
        <translation>Continue</translation>
    </message>
</context>
<context>
    <name>Panel</name>
    <message>
        <source>Panneau de Corvane</source>
        <translation>Corvane panel</translation>
    </message>
    <message>
        <source>Ouvrir Corvane</source>
        <translation>Open Corvane</translation>
    </message>
</context>
<context>
    <name>PanelFavorites</name>
    <message>
        <source>Favoris</source>
        <translation>Favorites</translation>
    </message>
</context>
<context>
    <name>PanelNowPlaying</name>
    <message>
        <source>Rien en lecture</source>
        <translation>Nothing playing</translation>
    </message>
</context>
<context>
    <name>PanelSleep</name>
    <message>
        <source>Arrêt programmé</source>
        <translation>Sleep timer</translation>
    </message>
    <message>
        <source>%1 min</source>
        <extracomment>%1 is a number of minutes</extracomment>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>Annuler la minuterie</source>
        <translation>Cancel sleep timer</translation>
    </message>
    <message>
        <source>Régler</source>
        <extracomment>Sets the sleep timer</extracomment>
        <translation>Set</translation>
    </message>
</context>
<context>
    <name>Playback</name>
    <message>
        <source>« %1 » n&apos;a pas pu être ajouté : l&apos;enceinte l&apos;a refusé.</source>
        <translation>“%1” couldn&apos;t be added: the speaker refused it.</translation>
    </message>
    <message numerus="yes">
        <source>%n morceaux sur %1 n&apos;ont pas pu être ajoutés : %2</source>
        <translation>
            <numerusform>%n of %1 songs couldn&apos;t be added: %2</numerusform>
            <numerusform>%n of %1 songs couldn&apos;t be added: %2</numerusform>
        </translation>
    </message>
    <message>
        <source>Le volume de l&apos;enceinte est à 0 — montez-le pour entendre la musique.</source>
        <translation>The speaker&apos;s volume is at 0 — turn it up to hear the music.</translation>
    </message>
    <message>
        <source>L&apos;enceinte est en sourdine.</source>
        <translation>The speaker is muted.</translation>
    </message>
    <message>
        <source>Pas assez de morceaux pour lancer cette radio.</source>
        <translation>Not enough songs to start this radio.</translation>
    </message>
    <message>
        <source>Radio %1</source>
        <extracomment>The radio of songs like an artist&apos;s; %1 is the artist</extracomment>
        <translation>%1 Radio</translation>
    </message>
    <message>
        <source>Entrée ligne</source>
        <translation>Line-in</translation>
    </message>
    <message>
        <source>Ce contenu est vide ou indisponible.</source>
        <translation>This content is empty or unavailable.</translation>
    </message>
    <message>
        <source>Égalisation remise à plat</source>
        <translation>Bass and treble reset</translation>
    </message>
    <message>
        <source>Arrêt dans %1 min</source>
        <translation>Stopping in %1 min</translation>
    </message>
    <message>
        <source>Minuterie annulée</source>
        <translation>Sleep timer canceled</translation>
    </message>
</context>
<context>
    <name>PlaybackBar</name>
    <message>
        <source>Réglages sonores</source>
        <translation>Sound settings</translation>
    </message>
    <message>
        <source>Historique d&apos;écoute</source>
        <translation>Listening history</translation>
    </message>
    <message>
        <source>File d&apos;attente</source>
        <translation>Queue</translation>
    </message>
</context>
<context>
    <name>PlaybackMenu</name>
    <message>
        <source>Lecture</source>
        <extracomment>The menu of playback commands</extracomment>
        <translation>Playback</translation>
    </message>
    <message>
        <source>Réduire</source>
        <translation>Collapse</translation>
    </message>
    <message>
        <source>Afficher en grand</source>
        <translation>Expand</translation>
    </message>
    <message>
        <source>Ctrl+0</source>
        <extracomment>A key as shown in the menu</extracomment>
        <translation>Ctrl+0</translation>
    </message>
    <message>
        <source>Lecture / Pause</source>
        <translation>Play/Pause</translation>
    </message>
    <message>
        <source>Espace</source>
        <extracomment>The space bar, as shown in the menu</extracomment>
        <translation>Space</translation>
    </message>
    <message>
        <source>Morceau suivant</source>
        <translation>Next song</translation>
    </message>
    <message>
        <source>Ctrl+→</source>
        <translation>Ctrl+→</translation>
    </message>
    <message>
        <source>Morceau précédent</source>
        <translation>Previous song</translation>
    </message>
    <message>
        <source>Ctrl+←</source>
        <translation>Ctrl+←</translation>
    </message>
    <message>
        <source>Rechercher les enceintes</source>
        <translation>Find speakers</translation>
    </message>
    <message>
        <source>Ctrl+R</source>
        <translation>Ctrl+R</translation>
    </message>
</context>
<context>
    <name>PlaylistDetailView</name>
    <message>
        <source>Playlist</source>
        <translation>Playlist</translation>
    </message>
    <message numerus="yes">
        <source>%n morceau(x)</source>
        <translation>
            <numerusform>%n song</numerusform>
            <numerusform>%n songs</numerusform>
        </translation>
    </message>
    <message>
        <source>Lire la playlist</source>
        <translation>Play playlist</translation>
    </message>
</context>
<context>
    <name>PlaylistOrderMenu</name>
    <message>
        <source>Ordre alphabétique</source>
        <translation>A to Z</translation>
    </message>
    <message>
        <source>Ordre alphabétique inversé</source>
        <translation>Z to A</translation>
    </message>
    <message>
        <source>Récemment lues</source>
        <extracomment>Playlists, the ones played last first</extracomment>
        <translation>Recently played</translation>
    </message>
    <message>
        <source>Ordre</source>
        <extracomment>Button that chooses how the playlists are sorted</extracomment>
        <translation>Sort</translation>
    </message>
</context>
<context>
    <name>ProgressStrip</name>
    <message>
        <source>Position dans le morceau</source>
        <translation>Song position</translation>
    </message>
</context>
<context>
    <name>Queue</name>
    <message>
        <source>À suivre · %1</source>
        <translation>Up next · %1</translation>
    </message>
    <message>
        <source>Lecture des résultats</source>
        <translation>Playing search results</translation>
    </message>
    <message>
        <source>File d&apos;attente vidée</source>
        <translation>Queue cleared</translation>
    </message>
    <message>
        <source>Ajouté à la file · %1</source>
        <translation>Added to queue · %1</translation>
    </message>
    <message>
        <source>Ajouté à la file</source>
        <translation>Added to queue</translation>
    </message>
</context>
<context>
    <name>QueueRow</name>
    <message>
        <source>Retirer de la file</source>
        <translation>Remove from queue</translation>
    </message>
</context>
<context>
    <name>QueueView</name>
    <message>
        <source>File d&apos;attente</source>
        <translation>Queue</translation>
    </message>
    <message>
        <source>Vide</source>
        <extracomment>The queue has no songs</extracomment>
        <translation>Empty</translation>
    </message>
    <message numerus="yes">
        <source>%n morceau(x)</source>
        <translation>
            <numerusform>%n song</numerusform>
            <numerusform>%n songs</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 sur %2</source>
        <extracomment>%1 is the song playing, %2 how many songs the queue has</extracomment>
        <translation>%1 of %2</translation>
    </message>
    <message>
        <source>dernier morceau</source>
        <translation>last song</translation>
    </message>
    <message numerus="yes">
        <source>%n morceau(x) à suivre</source>
        <translation>
            <numerusform>%n song up next</numerusform>
            <numerusform>%n songs up next</numerusform>
        </translation>
    </message>
    <message>
        <source>Vider</source>
        <extracomment>Button: empty the queue</extracomment>
        <translation>Clear</translation>
    </message>
    <message>
        <source>File vide</source>
        <translation>Queue is empty</translation>
    </message>
    <message>
        <source>Ajoutez des morceaux avec le bouton %1 des résultats.</source>
        <extracomment>%1 is the add-to-queue button&apos;s icon</extracomment>
        <translation>Add songs with the %1 button in the results.</translation>
    </message>
    <message>
        <source>Ajoutez des morceaux avec le bouton « Ajouter à la file d&apos;attente » des résultats.</source>
        <translation>Add songs with the “Add to queue” button in the results.</translation>
    </message>
</context>
<context>
    <name>Radio</name>
    <message>
        <source>Hits</source>
        <translation>Hits</translation>
    </message>
    <message>
        <source>Rap</source>
        <translation>Rap</translation>
    </message>
    <message>
        <source>Dance</source>
        <translation>Dance</translation>
    </message>
    <message>
        <source>Pop</source>
        <translation>Pop</translation>
    </message>
    <message>
        <source>Éclectique</source>
        <translation>Eclectic</translation>
    </message>
    <message>
        <source>Généraliste</source>
        <translation>Talk</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>News</translation>
    </message>
    <message>
        <source>Classique</source>
        <translation>Classical</translation>
    </message>
</context>
<context>
    <name>RadioTile</name>
    <message>
        <source>Écouter %1</source>
        <extracomment>%1 is a radio station&apos;s name</extracomment>
        <translation>Play %1</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Radio</translation>
    </message>
    <message>
        <source>%1, Radio</source>
        <extracomment>Spoken name of a radio tile; %1 is the station&apos;s name</extracomment>
        <translation>%1, radio</translation>
    </message>
</context>
<context>
    <name>ResumeCard</name>
    <message>
        <source>Reprendre là où vous en étiez</source>
        <translation>Pick up where you left off</translation>
    </message>
    <message>
        <source>Reprendre</source>
        <translation>Resume</translation>
    </message>
</context>
<context>
    <name>RoomVolumePopover</name>
    <message>
        <source>Volume des pièces</source>
        <translation>Room volumes</translation>
    </message>
    <message>
        <source>Le curseur de la barre règle le groupe entier ; chaque pièce garde ici son propre volume.</source>
        <translation>The slider in the bar sets the whole group; here each room keeps its own volume.</translation>
    </message>
    <message>
        <source>Rétablir le son : %1</source>
        <extracomment>%1 is a room&apos;s name</extracomment>
        <translation>Unmute %1</translation>
    </message>
    <message>
        <source>Couper le son : %1</source>
        <extracomment>%1 is a room&apos;s name</extracomment>
        <translation>Mute %1</translation>
    </message>
    <message>
        <source>Volume : %1</source>
        <extracomment>%1 is a room&apos;s name</extracomment>
        <translation>%1 volume</translation>
    </message>
</context>
<context>
    <name>Routes</name>
    <message>
        <source>Tout</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Morceaux</source>
        <translation>Songs</translation>
    </message>
    <message>
        <source>Albums</source>
        <translation>Albums</translation>
    </message>
    <message>
        <source>Artistes</source>
        <translation>Artists</translation>
    </message>
    <message>
        <source>Playlists</source>
        <translation>Playlists</translation>
    </message>
</context>
<context>
    <name>ScopeChooser</name>
    <message>
        <source>Tout</source>
        <extracomment>What the search looks for: everything</extracomment>
        <translation>All</translation>
    </message>
    <message>
        <source>Morceaux</source>
        <translation>Songs</translation>
    </message>
    <message>
        <source>Albums</source>
        <translation>Albums</translation>
    </message>
    <message>
        <source>Artistes</source>
        <translation>Artists</translation>
    </message>
    <message>
        <source>Playlists</source>
        <translation>Playlists</translation>
    </message>
</context>
<context>
    <name>SearchBar</name>
    <message>
        <source>Retour aux résultats</source>
        <translation>Back to results</translation>
    </message>
    <message>
        <source>Rechercher un morceau, un album, un artiste, une playlist…</source>
        <translation>Search songs, albums, artists, playlists…</translation>
    </message>
    <message>
        <source>Rechercher</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Effacer la recherche</source>
        <translation>Clear search</translation>
    </message>
</context>
<context>
    <name>SearchChips</name>
    <message>
        <source>Recherches récentes</source>
        <translation>Recent searches</translation>
    </message>
    <message>
        <source>Effacer</source>
        <translation>Clear</translation>
    </message>
</context>
<context>
    <name>SearchResults</name>
    <message>
        <source>Apple Music n&apos;est pas configuré</source>
        <translation>Apple Music isn&apos;t set up</translation>
    </message>
    <message>
        <source>Reliez Apple Music</source>
        <translation>Connect Apple Music</translation>
    </message>
    <message>
        <source>La recherche passe par votre abonnement Apple Music, et Corvane n&apos;a pas encore de jeton de développeur MusicKit pour lui parler.</source>
        <translation>Search goes through your Apple Music subscription, and Corvane doesn&apos;t have a MusicKit developer token to talk to it yet.</translation>
    </message>
    <message>
        <source>La recherche utilise votre abonnement Apple Music. Autorisez l&apos;accès pour chercher des morceaux, des albums et des artistes.</source>
        <translation>Search uses your Apple Music subscription. Allow access to search for songs, albums and artists.</translation>
    </message>
    <message>
        <source>Connexion… terminez dans le navigateur</source>
        <translation>Connecting… finish in your browser</translation>
    </message>
    <message>
        <source>Relier Apple Music</source>
        <translation>Connect Apple Music</translation>
    </message>
    <message>
        <source>Pas de playlists sans jeton</source>
        <translation>Playlists need a token</translation>
    </message>
    <message>
        <source>Aucun résultat</source>
        <translation>No results</translation>
    </message>
    <message>
        <source>La recherche publique d&apos;Apple Music trouve les morceaux, les albums et les artistes, pas les playlists. Un jeton de développeur MusicKit les ajoute, avec votre bibliothèque.</source>
        <translation>Apple Music&apos;s public search finds songs, albums and artists, but not playlists. A MusicKit developer token adds them, along with your library.</translation>
    </message>
    <message>
        <source>Essayez une autre orthographe, ou ajoutez le nom de l&apos;artiste.</source>
        <translation>Try another spelling, or add the artist&apos;s name.</translation>
    </message>
    <message>
        <source>Artistes</source>
        <translation>Artists</translation>
    </message>
    <message>
        <source>Albums</source>
        <translation>Albums</translation>
    </message>
    <message>
        <source>Morceaux</source>
        <translation>Songs</translation>
    </message>
    <message>
        <source>Tout lire</source>
        <translation>Play all</translation>
    </message>
    <message>
        <source>Playlists</source>
        <translation>Playlists</translation>
    </message>
</context>
<context>
    <name>SetupButtons</name>
    <message>
        <source>Réessayer</source>
        <translation>Try again</translation>
    </message>
    <message>
        <source>Réglages réseau local</source>
        <translation>Network settings</translation>
    </message>
    <message>
        <source>Ouvrir l&apos;app Sonos</source>
        <translation>Open the Sonos app</translation>
    </message>
    <message>
        <source>J&apos;ai fait ça, relancer la recherche</source>
        <translation>Done, search again</translation>
    </message>
    <message>
        <source>Continuer sans enceinte</source>
        <translation>Continue without a speaker</translation>
    </message>
    <message>
        <source>Plus tard</source>
        <translation>Later</translation>
    </message>
    <message>
        <source>Commencer</source>
        <translation>Get started</translation>
    </message>
</context>
<context>
    <name>SetupGuide</name>
    <message>
        <source>Recherche des enceintes…</source>
        <translation>Looking for speakers…</translation>
    </message>
    <message>
        <source>Corvane interroge le réseau local. Cela prend quelques secondes.</source>
        <translation>Corvane is searching your local network. This takes a few seconds.</translation>
    </message>
    <message>
        <source>Le contrôle local est désactivé</source>
        <translation>Local control is turned off</translation>
    </message>
    <message>
        <source>« %1 » répond bien, mais refuse d&apos;être piloté : le contrôle local (UPnP) est désactivé sur ce système Sonos.</source>
        <extracomment>%1 is a speaker&apos;s room</extracomment>
        <translation>“%1” responds but won&apos;t accept commands: local control (UPnP) is turned off on this Sonos system.</translation>
    </message>
    <message>
        <source>Ouvrez l&apos;app Sonos officielle.</source>
        <translation>Open the official Sonos app.</translation>
    </message>
    <message>
        <source>Allez dans Compte › Confidentialité et sécurité.</source>
        <translation>Go to Account › Privacy &amp; Security.</translation>
    </message>
    <message>
        <source>Activez UPnP.</source>
        <translation>Turn on UPnP.</translation>
    </message>
    <message>
        <source>Revenez ici et réessayez.</source>
        <translation>Come back here and try again.</translation>
    </message>
    <message>
        <source>Sans UPnP, aucune télécommande du réseau local ne peut piloter les enceintes.</source>
        <translation>Without UPnP, no remote on the local network can control the speakers.</translation>
    </message>
    <message>
        <source>Apple Music n&apos;est pas encore relié</source>
        <translation>Apple Music isn&apos;t connected yet</translation>
    </message>
    <message>
        <source>« %1 » répond bien, mais Apple Music n&apos;est pas rattaché à ce système Sonos. Ce rattachement se fait une seule fois, depuis l&apos;app Sonos officielle.</source>
        <extracomment>%1 is a speaker&apos;s room</extracomment>
        <translation>“%1” is reachable, but Apple Music hasn&apos;t been added to this Sonos system. You only need to add it once, from the official Sonos app.</translation>
    </message>
    <message>
        <source>Allez dans Réglages, puis Services et Voix.</source>
        <translation>Go to Settings, then Services &amp; Voice.</translation>
    </message>
    <message>
        <source>Ajoutez Apple Music et connectez votre compte.</source>
        <translation>Add Apple Music and sign in to your account.</translation>
    </message>
    <message>
        <source>Jouez n&apos;importe quel morceau Apple Music une fois depuis l&apos;app Sonos.</source>
        <translation>Play any Apple Music song once from the Sonos app.</translation>
    </message>
    <message>
        <source>Revenez ici et relancez la recherche.</source>
        <translation>Come back here and search again.</translation>
    </message>
    <message>
        <source>Ce détour est obligatoire : seul Sonos peut rattacher un compte Apple Music à un système. Une fois fait, tout se passe dans Corvane.</source>
        <translation>This step can&apos;t be skipped: only Sonos can add an Apple Music account to a system. Once it&apos;s done, everything happens in Corvane.</translation>
    </message>
    <message>
        <source>Tout est prêt</source>
        <translation>You&apos;re all set</translation>
    </message>
    <message>
        <source>Recherchez un morceau et lancez-le : le son partira d&apos;Apple Music directement vers l&apos;enceinte.</source>
        <translation>Search for a song and play it: the sound goes straight from Apple Music to the speaker.</translation>
    </message>
    <message>
        <source>Aucune enceinte Sonos trouvée</source>
        <translation>No Sonos speakers found</translation>
    </message>
    <message>
        <source>Corvane n&apos;a trouvé aucun Sonos sur ce réseau. L&apos;enceinte doit être allumée et connectée au même réseau que cet ordinateur.</source>
        <translation>Corvane found no Sonos speakers on this network. The speaker must be on and connected to the same network as this computer.</translation>
    </message>
    <message>
        <source>Vérifiez que l&apos;enceinte est allumée.</source>
        <translation>Check that the speaker is turned on.</translation>
    </message>
    <message>
        <source>Vérifiez que cet ordinateur et l&apos;enceinte sont sur le même réseau (Wi-Fi ou câble).</source>
        <translation>Check that this computer and the speaker are on the same network (Wi‑Fi or Ethernet).</translation>
    </message>
    <message>
        <source>Si un VPN est actif, désactivez-le : il empêche d&apos;atteindre le réseau local.</source>
        <translation>If a VPN is on, turn it off: it blocks access to the local network.</translation>
    </message>
    <message>
        <source>Si un pare-feu protège cet ordinateur, autorisez le réseau local (les enceintes répondent sur le port 1400).</source>
        <translation>If a firewall protects this computer, allow the local network (the speakers answer on port 1400).</translation>
    </message>
    <message>
        <source>Les classements et la recherche restent accessibles — seule la lecture demande une enceinte.</source>
        <translation>Charts and search still work — only playing music needs a speaker.</translation>
    </message>
</context>
<context>
    <name>SleepTimerRow</name>
    <message>
        <source>Arrêt programmé</source>
        <translation>Sleep timer</translation>
    </message>
    <message>
        <source>dans %1 min</source>
        <extracomment>%1 is the number of minutes left before the speaker stops</extracomment>
        <translation>in %1 min</translation>
    </message>
    <message>
        <source>Aucun</source>
        <extracomment>No sleep timer is set</extracomment>
        <translation>Off</translation>
    </message>
    <message>
        <source>Annuler la minuterie</source>
        <translation>Cancel sleep timer</translation>
    </message>
    <message>
        <source>%1 min</source>
        <extracomment>%1 is a number of minutes</extracomment>
        <translation>%1 min</translation>
    </message>
</context>
<context>
    <name>SoundSettings</name>
    <message>
        <source>Réglages sonores</source>
        <translation>Sound settings</translation>
    </message>
    <message>
        <source>Remettre à plat</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Graves</source>
        <translation>Bass</translation>
    </message>
    <message>
        <source>Aigus</source>
        <translation>Treble</translation>
    </message>
    <message>
        <source>Loudness</source>
        <translation>Loudness</translation>
    </message>
    <message>
        <source>Renforce graves et aigus à faible volume</source>
        <translation>Boosts bass and treble at low volume</translation>
    </message>
    <message>
        <source>Ces réglages sont ceux de l&apos;enceinte elle-même : ils restent actifs même depuis une autre app.</source>
        <translation>These settings live on the speaker itself, so they still apply when you use another app.</translation>
    </message>
    <message>
        <source>Entrée ligne</source>
        <translation>Line-in</translation>
    </message>
    <message>
        <source>Touches média du clavier</source>
        <translation>Keyboard media keys</translation>
    </message>
    <message>
        <source>Permet de piloter l&apos;enceinte avec les touches lecture du clavier. Corvane apparaît alors dans les commandes multimédias du bureau — sans qu&apos;aucun son ne sorte de l&apos;ordinateur.</source>
        <translation>Lets the keyboard&apos;s media keys control the speaker. Corvane then shows up in the desktop&apos;s media controls — without any sound coming from the computer.</translation>
    </message>
    <message>
        <source>Lancer Corvane à l&apos;ouverture de session</source>
        <translation>Start Corvane when you log in</translation>
    </message>
    <message>
        <source>Corvane démarre dans la zone de notification, sans fenêtre, prêt à piloter l&apos;enceinte.</source>
        <translation>Corvane starts in the system tray, with no window, ready to control the speaker.</translation>
    </message>
    <message>
        <source>Revoir la présentation</source>
        <translation>Show the introduction again</translation>
    </message>
</context>
<context>
    <name>SoundStepper</name>
    <message>
        <source>%1 : moins</source>
        <extracomment>%1 is an equalizer setting (bass, treble)</extracomment>
        <translation>%1: down</translation>
    </message>
    <message>
        <source>%1 : plus</source>
        <extracomment>%1 is an equalizer setting (bass, treble)</extracomment>
        <translation>%1: up</translation>
    </message>
</context>
<context>
    <name>SpeakerDriver</name>
    <message>
        <source>oui</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>non</source>
        <translation>no</translation>
    </message>
    <message>
        <source>Enceinte : %1 (%2, %3)</source>
        <translation>Speaker: %1 (%2, %3)</translation>
    </message>
    <message>
        <source>Lecture : source sans titre (entrée ligne ou flux)</source>
        <translation>Playing: untitled source (line-in or stream)</translation>
    </message>
    <message>
        <source>Lecture : %1</source>
        <translation>Playing: %1</translation>
    </message>
    <message>
        <source>Album : %1</source>
        <translation>Album: %1</translation>
    </message>
    <message>
        <source>%1 (piste %2)</source>
        <translation>%1 (track %2)</translation>
    </message>
    <message>
        <source>Position : %1</source>
        <translation>Position: %1</translation>
    </message>
    <message>
        <source>État : %1</source>
        <translation>State: %1</translation>
    </message>
    <message>
        <source>en lecture</source>
        <translation>playing</translation>
    </message>
    <message>
        <source>à l&apos;arrêt ou en pause</source>
        <translation>stopped or paused</translation>
    </message>
    <message>
        <source>Volume : %1 (muet)</source>
        <translation>Volume: %1 (muted)</translation>
    </message>
    <message>
        <source>Volume : %1</source>
        <translation>Volume: %1</translation>
    </message>
    <message>
        <source>Graves : %1 · Aigus : %2 · Loudness : %3</source>
        <translation>Bass: %1 · Treble: %2 · Loudness: %3</translation>
    </message>
    <message>
        <source>activée</source>
        <translation>on</translation>
    </message>
    <message>
        <source>désactivée</source>
        <translation>off</translation>
    </message>
    <message>
        <source>tout</source>
        <translation>all</translation>
    </message>
    <message>
        <source>un morceau</source>
        <translation>one song</translation>
    </message>
    <message>
        <source>Mode : %1 (aléatoire : %2, répétition : %3)</source>
        <translation>Mode: %1 (shuffle: %2, repeat: %3)</translation>
    </message>
    <message>
        <source>Mode : inconnu</source>
        <translation>Mode: unknown</translation>
    </message>
    <message>
        <source>Arrêt programmé : dans %1 min</source>
        <translation>Sleep timer: %1 min left</translation>
    </message>
    <message>
        <source>Arrêt programmé : aucun</source>
        <translation>Sleep timer: off</translation>
    </message>
    <message>
        <source>Batterie : %1 % (en charge)</source>
        <translation>Battery: %1% (charging)</translation>
    </message>
    <message>
        <source>Batterie : %1 %</source>
        <translation>Battery: %1%</translation>
    </message>
    <message>
        <source>Indiquez song:&lt;identifiant&gt; ou album:&lt;identifiant&gt;, par exemple song:1440818839.</source>
        <translation>Use song:&lt;id&gt; or album:&lt;id&gt;, for example song:1440818839.</translation>
    </message>
    <message>
        <source>Cette enceinte ne dit pas à quel groupe elle appartient : réessayez dans un instant.</source>
        <translation>This speaker isn&apos;t saying which group it belongs to: try again in a moment.</translation>
    </message>
    <message>
        <source>Morceau %1</source>
        <translation>Song %1</translation>
    </message>
    <message>
        <source>Lecture de « %1 » dans « %2 ».</source>
        <translation>Playing “%1” in “%2”.</translation>
    </message>
    <message>
        <source>Album %1</source>
        <translation>Album %1</translation>
    </message>
    <message>
        <source>L&apos;enceinte n&apos;a pas accepté l&apos;album %1, et le catalogue n&apos;en donne pas les morceaux.</source>
        <translation>The speaker didn&apos;t accept album %1, and the catalog doesn&apos;t list its songs.</translation>
    </message>
    <message>
        <source>Lecture de l&apos;album « %1 » dans « %2 ».</source>
        <translation>Playing the album “%1” in “%2”.</translation>
    </message>
    <message>
        <source>Aucun réveil sur ce système Sonos.</source>
        <translation>No alarms on this Sonos system.</translation>
    </message>
    <message>
        <source>Réveils :</source>
        <translation>Alarms:</translation>
    </message>
    <message>
        <source>  %1  %2  %3  %4  %5  volume %6  %7</source>
        <extracomment>One alarm: ID, time, days, room, on or off, volume, what plays</extracomment>
        <translation>  %1  %2  %3  %4  %5  volume %6  %7</translation>
    </message>
    <message>
        <source>activé</source>
        <translation>on</translation>
    </message>
    <message>
        <source>désactivé</source>
        <translation>off</translation>
    </message>
    <message>
        <source>Indiquez l&apos;identifiant du réveil puis on, off ou delete.</source>
        <translation>Enter the alarm ID, then on, off or delete.</translation>
    </message>
    <message>
        <source>Aucun réveil n&apos;a l&apos;identifiant « %1 » ; « corvane speaker &lt;adresse&gt; alarms » les liste.</source>
        <translation>No alarm has the ID “%1”; “corvane speaker &lt;address&gt; alarms” lists them.</translation>
    </message>
    <message>
        <source>Réveil %1 supprimé.</source>
        <translation>Alarm %1 deleted.</translation>
    </message>
    <message>
        <source>Réveil %1 activé.</source>
        <translation>Alarm %1 turned on.</translation>
    </message>
    <message>
        <source>Réveil %1 désactivé.</source>
        <translation>Alarm %1 turned off.</translation>
    </message>
    <message>
        <source>Usage : corvane speaker &lt;adresse IPv4&gt; &lt;commande&gt; [valeur]
Commandes :
  status [--plain]     ce que joue l&apos;enceinte, volume, son, mode, minuterie, batterie
  play | pause | next | previous
  play song:&lt;id&gt; | album:&lt;id&gt;
                       joue ce morceau ou cet album du catalogue Apple Music dans le groupe
  seek &lt;secondes&gt;      position dans le morceau
  volume &lt;0-100&gt;
  group-volume [0-100] volume du groupe de l&apos;enceinte ; sans valeur, le lit
  mute on|off
  bass &lt;-10..10&gt;       graves
  treble &lt;-10..10&gt;     aigus
  loudness on|off
  mode &lt;MODE&gt;          NORMAL, REPEAT_ALL, REPEAT_ONE, SHUFFLE, SHUFFLE_NOREPEAT
  sleep [minutes]      arrêt programmé ; sans valeur ou 0, l&apos;annule
  groups               les groupes de la maison et leurs pièces
  join &lt;pièce&gt;         rejoint le groupe de cette pièce
  leave                quitte son groupe
  favorites            les favoris Sonos
  alarms               les réveils de la maison
  alarm &lt;ID&gt; on|off|delete
                       active, désactive ou supprime ce réveil</source>
        <translation>Usage: corvane speaker &lt;IPv4 address&gt; &lt;command&gt; [value]
Commands:
  status [--plain]     what the speaker plays, volume, sound, mode, sleep timer, battery
  play | pause | next | previous
  play song:&lt;id&gt; | album:&lt;id&gt;
                       plays this song or album from the Apple Music catalog in the group
  seek &lt;seconds&gt;       position in the song
  volume &lt;0-100&gt;
  group-volume [0-100] the volume of the speaker&apos;s group; with no value, shows it
  mute on|off
  bass &lt;-10..10&gt;       bass
  treble &lt;-10..10&gt;     treble
  loudness on|off
  mode &lt;MODE&gt;          NORMAL, REPEAT_ALL, REPEAT_ONE, SHUFFLE, SHUFFLE_NOREPEAT
  sleep [minutes]      sleep timer; with no value or 0, cancels it
  groups               the household&apos;s groups and their rooms
  join &lt;room&gt;          joins this room&apos;s group
  leave                leaves its group
  favorites            the Sonos favorites
  alarms               the household&apos;s alarms
  alarm &lt;ID&gt; on|off|delete
                       turns this alarm on or off, or deletes it</translation>
    </message>
    <message>
        <source>Il manque l&apos;adresse de l&apos;enceinte ou la commande.</source>
        <translation>The speaker&apos;s address or the command is missing.</translation>
    </message>
    <message>
        <source>« %1 » n&apos;est pas une adresse IPv4.</source>
        <translation>“%1” isn&apos;t an IPv4 address.</translation>
    </message>
    <message>
        <source>Trop d&apos;arguments pour « %1 ».</source>
        <translation>Too many arguments for “%1”.</translation>
    </message>
    <message>
        <source>Lecture lancée.</source>
        <translation>Playing.</translation>
    </message>
    <message>
        <source>Lecture en pause.</source>
        <translation>Paused.</translation>
    </message>
    <message>
        <source>Morceau suivant.</source>
        <translation>Next song.</translation>
    </message>
    <message>
        <source>Morceau précédent.</source>
        <translation>Previous song.</translation>
    </message>
    <message>
        <source>Indiquez une position en secondes (0 ou plus).</source>
        <translation>Enter a position in seconds (0 or more).</translation>
    </message>
    <message>
        <source>Position : %1.</source>
        <translation>Position: %1.</translation>
    </message>
    <message>
        <source>Indiquez un volume entre 0 et 100.</source>
        <translation>Enter a volume from 0 to 100.</translation>
    </message>
    <message>
        <source>Volume réglé à %1.</source>
        <translation>Volume set to %1.</translation>
    </message>
    <message>
        <source>Volume du groupe : %1</source>
        <translation>Group volume: %1</translation>
    </message>
    <message>
        <source>Volume du groupe réglé à %1.</source>
        <translation>Group volume set to %1.</translation>
    </message>
    <message>
        <source>Indiquez on ou off.</source>
        <translation>Enter on or off.</translation>
    </message>
    <message>
        <source>Son coupé.</source>
        <translation>Muted.</translation>
    </message>
    <message>
        <source>Son rétabli.</source>
        <translation>Unmuted.</translation>
    </message>
    <message>
        <source>Loudness activée.</source>
        <translation>Loudness on.</translation>
    </message>
    <message>
        <source>Loudness désactivée.</source>
        <translation>Loudness off.</translation>
    </message>
    <message>
        <source>Indiquez une valeur entre -10 et 10.</source>
        <translation>Enter a value from -10 to 10.</translation>
    </message>
    <message>
        <source>Graves réglés à %1.</source>
        <translation>Bass set to %1.</translation>
    </message>
    <message>
        <source>Aigus réglés à %1.</source>
        <translation>Treble set to %1.</translation>
    </message>
    <message>
        <source>Mode inconnu : « %1 ».</source>
        <translation>Unknown mode: “%1”.</translation>
    </message>
    <message>
        <source>Mode de lecture : %1.</source>
        <translation>Play mode: %1.</translation>
    </message>
    <message>
        <source>Indiquez une durée en minutes (0 ou plus).</source>
        <translation>Enter a duration in minutes (0 or more).</translation>
    </message>
    <message>
        <source>Arrêt programmé annulé.</source>
        <translation>Sleep timer canceled.</translation>
    </message>
    <message>
        <source>Arrêt programmé dans %1 min.</source>
        <translation>Sleep timer set for %1 min.</translation>
    </message>
    <message>
        <source>Groupes :
%1</source>
        <translation>Groups:
%1</translation>
    </message>
    <message>
        <source>L&apos;enceinte joue désormais seule.</source>
        <translation>The speaker now plays on its own.</translation>
    </message>
    <message>
        <source>Indiquez la pièce à rejoindre.</source>
        <translation>Enter the room to join.</translation>
    </message>
    <message>
        <source>Aucune pièce « %1 » dans cette maison.</source>
        <translation>No room named “%1” in this household.</translation>
    </message>
    <message>
        <source>L&apos;enceinte a rejoint le groupe « %1 ».</source>
        <translation>The speaker joined the group “%1”.</translation>
    </message>
    <message>
        <source>Aucun favori enregistré sur ce système Sonos.</source>
        <translation>No favorites saved on this Sonos system.</translation>
    </message>
    <message>
        <source>Favoris :
%1</source>
        <translation>Favorites:
%1</translation>
    </message>
    <message>
        <source>Commande inconnue : « %1 ».</source>
        <translation>Unknown command: “%1”.</translation>
    </message>
    <message>
        <source>  %1 : %2</source>
        <extracomment>A group and its rooms</extracomment>
        <translation>  %1: %2</translation>
    </message>
</context>
<context>
    <name>SpeakerToolbar</name>
    <message>
        <source>Aucune enceinte</source>
        <translation>No speaker</translation>
    </message>
    <message>
        <source>Enceinte : %1</source>
        <extracomment>%1 is the chosen room&apos;s name</extracomment>
        <translation>Speaker: %1</translation>
    </message>
    <message>
        <source>Aucune enceinte trouvée</source>
        <translation>No speakers found</translation>
    </message>
    <message>
        <source>Pièces et groupes</source>
        <translation>Rooms and groups</translation>
    </message>
    <message>
        <source>Réveils</source>
        <translation>Alarms</translation>
    </message>
    <message>
        <source>Explorer les classements</source>
        <translation>Browse charts</translation>
    </message>
    <message>
        <source>Rechercher les enceintes</source>
        <translation>Find speakers</translation>
    </message>
    <message>
        <source>Recherche des enceintes</source>
        <translation>Looking for speakers</translation>
    </message>
    <message>
        <source>Enceinte injoignable</source>
        <translation>Speaker unreachable</translation>
    </message>
    <message>
        <source>Historique d&apos;écoute</source>
        <translation>Listening history</translation>
    </message>
    <message>
        <source>File d&apos;attente</source>
        <translation>Queue</translation>
    </message>
</context>
<context>
    <name>Tile</name>
    <message>
        <source>Lire</source>
        <translation>Play</translation>
    </message>
</context>
<context>
    <name>TipCard</name>
    <message>
        <source>Corvane vit dans la zone de notification</source>
        <translation>Find Corvane in the tray</translation>
    </message>
    <message>
        <source>L&apos;icône de la zone de notification commande l&apos;enceinte sans ouvrir la fenêtre : lecture, volume, morceau suivant, en un clic.</source>
        <translation>The tray icon controls the speaker without opening the window: play, volume, next song, in one click.</translation>
    </message>
    <message>
        <source>Pilotez Corvane sans sa fenêtre</source>
        <translation>Control Corvane without its window</translation>
    </message>
    <message>
        <source>Dans un terminal ou un raccourci clavier du bureau : « corvane play-pause », « corvane next » ou « corvane favorite ». Un clic droit sur Corvane dans le lanceur propose les mêmes actions.</source>
        <translation>From a terminal or a desktop keyboard shortcut: “corvane play-pause”, “corvane next” or “corvane favorite”. Right-click Corvane in the launcher for the same actions.</translation>
    </message>
    <message>
        <source>S&apos;arrêter tout seul</source>
        <translation>Let the music stop on its own</translation>
    </message>
    <message>
        <source>Programmez un arrêt : la musique s&apos;éteint toute seule après le délai choisi. La commande « corvane sleep 60 » le fait aussi.</source>
        <translation>Set a sleep timer: the music stops by itself after the time you choose. The command “corvane sleep 60” does it too.</translation>
    </message>
    <message>
        <source>J&apos;ai compris</source>
        <translation>Got it</translation>
    </message>
</context>
<context>
    <name>TopArtistsList</name>
    <message>
        <source>Top artistes</source>
        <translation>Top artists</translation>
    </message>
    <message numerus="yes">
        <source>%n écoute(s)</source>
        <translation>
            <numerusform>%n play</numerusform>
            <numerusform>%n plays</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1, %n écoute(s)</source>
        <extracomment>%1 is an artist&apos;s name</extracomment>
        <translation>
            <numerusform>%1, %n play</numerusform>
            <numerusform>%1, %n plays</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TrackMenu</name>
    <message>
        <source>Lire maintenant</source>
        <translation>Play now</translation>
    </message>
    <message>
        <source>Lire ensuite</source>
        <translation>Play next</translation>
    </message>
    <message>
        <source>Ajouter à la file d&apos;attente</source>
        <translation>Add to queue</translation>
    </message>
    <message>
        <source>Retirer des favoris Sonos</source>
        <translation>Remove from Sonos favorites</translation>
    </message>
    <message>
        <source>Ajouter aux favoris Sonos</source>
        <translation>Add to Sonos favorites</translation>
    </message>
    <message>
        <source>Voir la fiche de l&apos;artiste</source>
        <translation>Go to artist</translation>
    </message>
</context>
<context>
    <name>TrackPanel</name>
    <message>
        <source>Rien en lecture</source>
        <translation>Nothing playing</translation>
    </message>
</context>
<context>
    <name>TrackRow</name>
    <message>
        <source>Lire maintenant</source>
        <translation>Play now</translation>
    </message>
    <message>
        <source>Ajouter à la file d&apos;attente</source>
        <translation>Add to queue</translation>
    </message>
</context>
<context>
    <name>TransportControls</name>
    <message>
        <source>Lecture aléatoire</source>
        <translation>Shuffle</translation>
    </message>
    <message>
        <source>Morceau précédent</source>
        <translation>Previous song</translation>
    </message>
    <message>
        <source>Lecture / Pause</source>
        <translation>Play/Pause</translation>
    </message>
    <message>
        <source>Morceau suivant</source>
        <translation>Next song</translation>
    </message>
    <message>
        <source>Répéter le morceau</source>
        <translation>Repeat song</translation>
    </message>
    <message>
        <source>Répéter la file</source>
        <translation>Repeat queue</translation>
    </message>
    <message>
        <source>Répéter</source>
        <translation>Repeat</translation>
    </message>
</context>
<context>
    <name>Tray</name>
    <message>
        <source>Morceau suivant</source>
        <translation>Next song</translation>
    </message>
    <message>
        <source>Ouvrir Corvane</source>
        <translation>Open Corvane</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Aucune enceinte</source>
        <translation>No speaker</translation>
    </message>
    <message>
        <source>Rien en lecture · %1</source>
        <translation>Nothing playing · %1</translation>
    </message>
    <message>
        <source>%1 · %2</source>
        <extracomment>%1 is what plays (title — artist), %2 the room</extracomment>
        <translation>%1 · %2</translation>
    </message>
    <message>
        <source>%1 (en pause) · %2</source>
        <translation>%1 (paused) · %2</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Lecture</source>
        <translation>Play</translation>
    </message>
</context>
<context>
    <name>UpdateLine</name>
    <message>
        <source>Corvane %1 est disponible</source>
        <extracomment>%1 is a version number</extracomment>
        <translation>Corvane %1 is available</translation>
    </message>
    <message>
        <source>Corvane %1 est disponible : ouvrir la page de téléchargement</source>
        <extracomment>%1 is a version number</extracomment>
        <translation>Corvane %1 is available: open the download page</translation>
    </message>
</context>
<context>
    <name>VolumeControl</name>
    <message>
        <source>Rétablir le son du groupe</source>
        <translation>Unmute group</translation>
    </message>
    <message>
        <source>Rétablir le son</source>
        <translation>Unmute</translation>
    </message>
    <message>
        <source>Couper le son du groupe</source>
        <translation>Mute group</translation>
    </message>
    <message>
        <source>Couper le son</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Volume des pièces</source>
        <translation>Room volumes</translation>
    </message>
</context>
</TS>
