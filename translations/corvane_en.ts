<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
<context>
    <name>AlarmEditor</name>
    <message>
        <source>lun.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lundi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mardi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mercredi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>jeu.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jeudi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ven.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vendredi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sam.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Samedi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dim.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dimanche</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pièce introuvable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Une fois</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tous les jours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>En semaine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Le week-end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nouveau réveil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modifier le réveil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Heure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : le réveil sonne à la prochaine heure dite, puis se désactive</source>
        <extracomment>%1 is the days of a one-off alarm (&quot;Une fois&quot;)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pièce</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Musique</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volume du réveil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Durée</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avec tout le groupe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Les pièces groupées avec celle-ci à l&apos;heure du réveil jouent aussi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Créer le réveil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 min</source>
        <extracomment>An alarm&apos;s duration in minutes</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 h %2</source>
        <extracomment>An alarm&apos;s duration in hours and minutes, as in &quot;1 h 30&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 h</source>
        <extracomment>An alarm&apos;s duration in whole hours, as in &quot;2 h&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AlarmRow</name>
    <message>
        <source>%1 · volume %2</source>
        <extracomment>%1 is what the alarm plays, %2 its volume</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modifier le réveil de %1</source>
        <extracomment>%1 is the alarm&apos;s time</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Supprimer le réveil de %1</source>
        <extracomment>%1 is the alarm&apos;s time</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Réveil de %1 activé</source>
        <extracomment>The switch of an alarm; %1 is its time</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Réveil de %1, %2, %3, %4, volume %5</source>
        <extracomment>%1 time, %2 days, %3 room, %4 what it plays, %5 volume</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Réveil de %1, %2, %3, %4, volume %5, désactivé</source>
        <extracomment>%1 time, %2 days, %3 room, %4 what it plays, %5 volume</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AlarmsView</name>
    <message>
        <source>Réveils</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Les enceintes réveillent la maison en musique</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n réveil(s) · réglés sur les enceintes, ils sonnent même ordinateur éteint</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Chargement des réveils</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nouveau réveil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aucun réveil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Un réveil lance un favori, une radio ou le carillon dans la pièce choisie, à l&apos;heure dite.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Réveils indisponibles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Réessayer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Supprimer le réveil de %1 ?</source>
        <extracomment>%1 is the alarm&apos;s time</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Il disparaîtra des enceintes et de toutes les applications qui les commandent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Supprimer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AlbumDetailView</name>
    <message>
        <source>Album</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n morceau(x)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Lire l&apos;album</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ArtistDetailView</name>
    <message>
        <source>Artiste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lire</source>
        <extracomment>Button: play the artist&apos;s songs</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rien trouvé pour cet artiste dans le catalogue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dernière sortie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Morceaux</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Afficher les %n titres</source>
        <extracomment>Only shown for more than five songs</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Albums</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Singles et EP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Playlists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apparitions</source>
        <extracomment>Albums of others the artist appears on</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Artistes similaires</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ArtistLink</name>
    <message>
        <source>Voir la fiche de l&apos;artiste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voir la fiche de l&apos;artiste %1</source>
        <extracomment>%1 is the artist&apos;s name</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChartHero</name>
    <message>
        <source>N° 1 des albums</source>
        <extracomment>Caption above the first album of the charts</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voir l&apos;album</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : %2</source>
        <extracomment>Spoken name of the banner: %1 is its caption, %2 the album&apos;s title and artist</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChartSkeleton</name>
    <message>
        <source>Chargement des classements</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConnectMusicCard</name>
    <message>
        <source>Votre bibliothèque Apple Music</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apple Music n&apos;est pas configuré</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La recherche et l&apos;écoute du catalogue marchent sans rien relier. Pour retrouver ici vos playlists et votre bibliothèque, Corvane a besoin d&apos;un jeton de développeur MusicKit : le réglage « Apple Music » du son explique comment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relier Apple Music</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connexion en cours… terminez dans le navigateur.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pour retrouver vos playlists et votre bibliothèque</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ouvrir le dossier des réglages</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DetailActions</name>
    <message>
        <source>Lire ensuite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ajouter à la file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExpandedView</name>
    <message>
        <source>Réduire</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File d&apos;attente</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExploreView</name>
    <message>
        <source>Explorer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pays</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Genre</source>
        <extracomment>Music genre</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top titres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tout lire</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top albums</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Playlists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radios</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pas de classement ici</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Le catalogue n&apos;a rien renvoyé pour ce pays et ce genre. Essayez un autre choix.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FirstRun</name>
    <message>
        <source>Saisissez un artiste, un album, un titre ou une playlist dans la barre du haut.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entrée lance le premier résultat, un double-clic joue n&apos;importe quelle ligne.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cliquez la pochette en bas à gauche pour la voir en grand (Ctrl+0).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Le son part d&apos;Apple Music vers l&apos;enceinte — rien ne passe par cet ordinateur.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commencez par une recherche</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GroupCard</name>
    <message numerus="yes">
        <source>%n pièces en synchronisme</source>
        <extracomment>Only shown for two rooms or more</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Masquer les autres pièces</source>
        <extracomment>%1 is how many rooms could be added</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ajouter une pièce (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GroupsView</name>
    <message>
        <source>Pièces et groupes</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n enceinte(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n groupe(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Rechercher</source>
        <extracomment>Button: look for the speakers again</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aucune enceinte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corvane n&apos;a trouvé aucun Sonos sur ce réseau.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avec une seule enceinte, il n&apos;y a rien à grouper. Dès qu&apos;une deuxième apparaît sur le réseau, il sera possible de les faire jouer ensemble depuis ici.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HistoryRow</name>
    <message>
        <source>Ajouter à la file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lire maintenant</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HistoryView</name>
    <message>
        <source>Historique d&apos;écoute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rien encore</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n écoute(s) conservée(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Top artistes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Effacer</source>
        <extracomment>Button: clear the listening history</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Effacer tout l&apos;historique ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Les %n écoutes conservées disparaîtront de tous vos ordinateurs. Cette action est définitive.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>L&apos;écoute conservée disparaîtra de tous vos ordinateurs. Cette action est définitive.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Effacer l&apos;historique</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Historique vide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chaque morceau lancé depuis Corvane s&apos;inscrit ici, et y reste.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HomeHeader</name>
    <message>
        <source>Préparation de « %1 »…</source>
        <extracomment>%1 is the album, playlist or song being readied on the speaker</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recherche d&apos;enceintes…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aucune enceinte trouvée</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pièces et groupes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rechercher</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HomeLibrary</name>
    <message>
        <source>Vos playlists</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HomeView</name>
    <message>
        <source>Ajouts récents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Morceaux ajoutés</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>En rotation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Écoutés récemment</source>
        <extracomment>Shelf of the albums played lately</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nouveautés</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorties des 8 dernières semaines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top titres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tout lire</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top albums</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Favoris Sonos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Écouté récemment</source>
        <extracomment>Shelf of the songs played lately</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tout l&apos;historique</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vos artistes</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n écoute(s)</source>
        <extracomment>How many times the artist was played</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LiveUpdatesLine</name>
    <message>
        <source>Pour les laisser passer, avec ufw :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commande ufw</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ou avec firewalld :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commandes firewalld</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MemberRow</name>
    <message>
        <source>Volume %1</source>
        <extracomment>%1 is the room&apos;s volume</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ajouter</source>
        <extracomment>Button: add the room to the group, or take it out of it</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Détacher</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ajouter %1</source>
        <extracomment>%1 is a room&apos;s name</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Détacher %1</source>
        <extracomment>%1 is a room&apos;s name</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MusicAccountRow</name>
    <message>
        <source>Apple Music</source>
        <extracomment>The music service&apos;s name</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connexion…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connecter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connecté — vos playlists et votre bibliothèque sont disponibles.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Non connecté. Sans accès, ni playlists, ni bibliothèque, ni recherche.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Catalogue de</source>
        <extracomment>Stands before the chooser of the catalogue&apos;s country (&quot;Catalogue de France&quot;)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pays du catalogue Apple Music</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Si rien ne se passe, terminez la connexion dans la page qui s&apos;est ouverte dans votre navigateur, ou relancez-la ici.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aucun trousseau de clés n&apos;a répondu : la connexion est gardée dans un fichier privé de votre dossier personnel.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MusicLinkButton</name>
    <message>
        <source>Apple Music est relié</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connexion… terminez dans le navigateur</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relier Apple Music</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vous pouvez chercher et écouter tout le catalogue Apple Music : vos enceintes le jouent avec votre compte. Un jeton de développeur MusicKit ajouterait votre bibliothèque et vos playlists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apple Music n&apos;est pas configuré : il manque à Corvane son jeton de développeur MusicKit. Les enceintes, les favoris, la radio et la file d&apos;attente marchent sans lui.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Masquer les explications</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ajouter votre bibliothèque ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comment l&apos;ajouter ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ouvrir le dossier des réglages</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NowPlayingSummary</name>
    <message>
        <source>Afficher en grand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Préparation de « %1 »…</source>
        <extracomment>%1 is the album, playlist or song being readied on the speaker</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rien en lecture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retirer des favoris Sonos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ajouter aux favoris Sonos</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>Vos enceintes Sonos,
avec Apple Music</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corvane est une télécommande : elle cherche vos enceintes sur le réseau, puis leur dit quoi jouer. Votre bibliothèque Apple Music, vos playlists, vos favoris — tout est là.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sans passer
par votre ordinateur</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pas d&apos;AirPlay, pas de recompression. L&apos;enceinte va chercher le morceau elle-même, directement chez Apple. Vous pouvez refermer votre ordinateur : la musique continue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apple Music
est indispensable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corvane ne fonctionne qu&apos;avec Apple Music : c&apos;est le seul service qu&apos;elle sait piloter. Il vous faut un abonnement actif, et Apple Music déjà ajouté dans l&apos;app Sonos : vos enceintes jouent avec ce compte. Ni Spotify, ni Deezer, ni fichiers locaux.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tout se passe
chez vous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vos enceintes vivent sur votre réseau local : Corvane l&apos;explore pour les trouver, c&apos;est le seul moyen. Rien ne quitte votre domicile : ni compte, ni serveur, ni traqueur.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 sur %2</source>
        <extracomment>%1 is the page shown, %2 how many there are</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Passer</source>
        <extracomment>Button: skip the introduction</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rechercher mes enceintes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continuer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Panel</name>
    <message>
        <source>Panneau de Corvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ouvrir Corvane</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PanelFavorites</name>
    <message>
        <source>Favoris</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PanelNowPlaying</name>
    <message>
        <source>Rien en lecture</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PanelSleep</name>
    <message>
        <source>Arrêt programmé</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 min</source>
        <extracomment>%1 is a number of minutes</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Annuler la minuterie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Régler</source>
        <extracomment>Sets the sleep timer</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlaybackBar</name>
    <message>
        <source>Réglages sonores</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Historique d&apos;écoute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File d&apos;attente</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlaybackMenu</name>
    <message>
        <source>Lecture</source>
        <extracomment>The menu of playback commands</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Réduire</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Afficher en grand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+0</source>
        <extracomment>A key as shown in the menu</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lecture / Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Espace</source>
        <extracomment>The space bar, as shown in the menu</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Morceau suivant</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+→</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Morceau précédent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+←</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rechercher les enceintes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+R</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlaylistDetailView</name>
    <message>
        <source>Playlist</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n morceau(x)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Lire la playlist</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlaylistOrderMenu</name>
    <message>
        <source>Ordre alphabétique</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ordre alphabétique inversé</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Récemment lues</source>
        <extracomment>Playlists, the ones played last first</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ordre</source>
        <extracomment>Button that chooses how the playlists are sorted</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgressStrip</name>
    <message>
        <source>Position dans le morceau</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QueueRow</name>
    <message>
        <source>Retirer de la file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QueueView</name>
    <message>
        <source>File d&apos;attente</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vide</source>
        <extracomment>The queue has no songs</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n morceau(x)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1 sur %2</source>
        <extracomment>%1 is the song playing, %2 how many songs the queue has</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dernier morceau</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n morceau(x) à suivre</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Vider</source>
        <extracomment>Button: empty the queue</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File vide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ajoutez des morceaux avec le bouton %1 des résultats.</source>
        <extracomment>%1 is the add-to-queue button&apos;s icon</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ajoutez des morceaux avec le bouton « Ajouter à la file d&apos;attente » des résultats.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RadioTile</name>
    <message>
        <source>Écouter %1</source>
        <extracomment>%1 is a radio station&apos;s name</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, Radio</source>
        <extracomment>Spoken name of a radio tile; %1 is the station&apos;s name</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ResumeCard</name>
    <message>
        <source>Reprendre là où vous en étiez</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reprendre</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RoomVolumePopover</name>
    <message>
        <source>Volume des pièces</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Le curseur de la barre règle le groupe entier ; chaque pièce garde ici son propre volume.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rétablir le son : %1</source>
        <extracomment>%1 is a room&apos;s name</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couper le son : %1</source>
        <extracomment>%1 is a room&apos;s name</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volume : %1</source>
        <extracomment>%1 is a room&apos;s name</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScopeChooser</name>
    <message>
        <source>Tout</source>
        <extracomment>What the search looks for: everything</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Morceaux</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Albums</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Artistes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Playlists</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SearchBar</name>
    <message>
        <source>Retour aux résultats</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rechercher un morceau, un album, un artiste, une playlist…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rechercher</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Effacer la recherche</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SearchChips</name>
    <message>
        <source>Recherches récentes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Effacer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SearchResults</name>
    <message>
        <source>Apple Music n&apos;est pas configuré</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reliez Apple Music</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La recherche passe par votre abonnement Apple Music, et Corvane n&apos;a pas encore de jeton de développeur MusicKit pour lui parler.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La recherche utilise votre abonnement Apple Music. Autorisez l&apos;accès pour chercher des morceaux, des albums et des artistes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connexion… terminez dans le navigateur</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relier Apple Music</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pas de playlists sans jeton</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aucun résultat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La recherche publique d&apos;Apple Music trouve les morceaux, les albums et les artistes, pas les playlists. Un jeton de développeur MusicKit les ajoute, avec votre bibliothèque.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Essayez une autre orthographe, ou ajoutez le nom de l&apos;artiste.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Artistes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Albums</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Morceaux</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tout lire</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Playlists</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SetupButtons</name>
    <message>
        <source>Réessayer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Réglages réseau local</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ouvrir l&apos;app Sonos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>J&apos;ai fait ça, relancer la recherche</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continuer sans enceinte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plus tard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commencer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SetupGuide</name>
    <message>
        <source>Recherche des enceintes…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corvane interroge le réseau local. Cela prend quelques secondes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Le contrôle local est désactivé</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>« %1 » répond bien, mais refuse d&apos;être piloté : le contrôle local (UPnP) est désactivé sur ce système Sonos.</source>
        <extracomment>%1 is a speaker&apos;s room</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ouvrez l&apos;app Sonos officielle.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allez dans Compte › Confidentialité et sécurité.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activez UPnP.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Revenez ici et réessayez.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sans UPnP, aucune télécommande du réseau local ne peut piloter les enceintes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apple Music n&apos;est pas encore relié</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>« %1 » répond bien, mais Apple Music n&apos;est pas rattaché à ce système Sonos. Ce rattachement se fait une seule fois, depuis l&apos;app Sonos officielle.</source>
        <extracomment>%1 is a speaker&apos;s room</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allez dans Réglages, puis Services et Voix.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ajoutez Apple Music et connectez votre compte.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jouez n&apos;importe quel morceau Apple Music une fois depuis l&apos;app Sonos.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Revenez ici et relancez la recherche.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ce détour est obligatoire : seul Sonos peut rattacher un compte Apple Music à un système. Une fois fait, tout se passe dans Corvane.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tout est prêt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recherchez un morceau et lancez-le : le son partira d&apos;Apple Music directement vers l&apos;enceinte.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aucune enceinte Sonos trouvée</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corvane n&apos;a trouvé aucun Sonos sur ce réseau. L&apos;enceinte doit être allumée et connectée au même réseau que cet ordinateur.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vérifiez que l&apos;enceinte est allumée.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vérifiez que cet ordinateur et l&apos;enceinte sont sur le même réseau (Wi-Fi ou câble).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Si un VPN est actif, désactivez-le : il empêche d&apos;atteindre le réseau local.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Si un pare-feu protège cet ordinateur, autorisez le réseau local (les enceintes répondent sur le port 1400).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Les classements et la recherche restent accessibles — seule la lecture demande une enceinte.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SleepTimerRow</name>
    <message>
        <source>Arrêt programmé</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dans %1 min</source>
        <extracomment>%1 is the number of minutes left before the speaker stops</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aucun</source>
        <extracomment>No sleep timer is set</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Annuler la minuterie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 min</source>
        <extracomment>%1 is a number of minutes</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SoundSettings</name>
    <message>
        <source>Réglages sonores</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remettre à plat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Graves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aigus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loudness</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Renforce graves et aigus à faible volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ces réglages sont ceux de l&apos;enceinte elle-même : ils restent actifs même depuis une autre app.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entrée ligne</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Touches média du clavier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Permet de piloter l&apos;enceinte avec les touches lecture du clavier. Corvane apparaît alors dans les commandes multimédias du bureau — sans qu&apos;aucun son ne sorte de l&apos;ordinateur.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lancer Corvane à l&apos;ouverture de session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corvane démarre dans la zone de notification, sans fenêtre, prêt à piloter l&apos;enceinte.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Revoir la présentation</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SoundStepper</name>
    <message>
        <source>%1 : moins</source>
        <extracomment>%1 is an equalizer setting (bass, treble)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : plus</source>
        <extracomment>%1 is an equalizer setting (bass, treble)</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SpeakerToolbar</name>
    <message>
        <source>Aucune enceinte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enceinte : %1</source>
        <extracomment>%1 is the chosen room&apos;s name</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aucune enceinte trouvée</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pièces et groupes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Réveils</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Explorer les classements</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rechercher les enceintes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recherche des enceintes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enceinte injoignable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Historique d&apos;écoute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File d&apos;attente</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tile</name>
    <message>
        <source>Lire</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TipCard</name>
    <message>
        <source>Corvane vit dans la zone de notification</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L&apos;icône de la zone de notification commande l&apos;enceinte sans ouvrir la fenêtre : lecture, volume, morceau suivant, en un clic.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pilotez Corvane sans sa fenêtre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dans un terminal ou un raccourci clavier du bureau : « corvane play-pause », « corvane next » ou « corvane favorite ». Un clic droit sur Corvane dans le lanceur propose les mêmes actions.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&apos;arrêter tout seul</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programmez un arrêt : la musique s&apos;éteint toute seule après le délai choisi. La commande « corvane sleep 60 » le fait aussi.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>J&apos;ai compris</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TopArtistsList</name>
    <message>
        <source>Top artistes</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n écoute(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1, %n écoute(s)</source>
        <extracomment>%1 is an artist&apos;s name</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TrackMenu</name>
    <message>
        <source>Lire maintenant</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lire ensuite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ajouter à la file d&apos;attente</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retirer des favoris Sonos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ajouter aux favoris Sonos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voir la fiche de l&apos;artiste</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TrackPanel</name>
    <message>
        <source>Rien en lecture</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TrackRow</name>
    <message>
        <source>Lire maintenant</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ajouter à la file d&apos;attente</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TransportControls</name>
    <message>
        <source>Lecture aléatoire</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Morceau précédent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lecture / Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Morceau suivant</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Répéter le morceau</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Répéter la file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Répéter</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UpdateLine</name>
    <message>
        <source>Corvane %1 est disponible</source>
        <extracomment>%1 is a version number</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corvane %1 est disponible : ouvrir la page de téléchargement</source>
        <extracomment>%1 is a version number</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VolumeControl</name>
    <message>
        <source>Rétablir le son du groupe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rétablir le son</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couper le son du groupe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couper le son</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volume des pièces</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
