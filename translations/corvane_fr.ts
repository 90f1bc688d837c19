<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="fr">
<context>
    <name>AlarmsView</name>
    <message numerus="yes">
        <source>%n réveil(s) · réglés sur les enceintes, ils sonnent même ordinateur éteint</source>
        <translation>
            <numerusform>%n réveil · réglés sur les enceintes, ils sonnent même ordinateur éteint</numerusform>
            <numerusform>%n réveils · réglés sur les enceintes, ils sonnent même ordinateur éteint</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>AlbumDetailView</name>
    <message numerus="yes">
        <source>%n morceau(x)</source>
        <translation>
            <numerusform>%n morceau</numerusform>
            <numerusform>%n morceaux</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ArtistDetailView</name>
    <message numerus="yes">
        <source>Afficher les %n titres</source>
        <extracomment>Only shown for more than five songs</extracomment>
        <translation>
            <numerusform>Afficher les %n titres</numerusform>
            <numerusform>Afficher les %n titres</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GroupCard</name>
    <message numerus="yes">
        <source>%n pièces en synchronisme</source>
        <extracomment>Only shown for two rooms or more</extracomment>
        <translation>
            <numerusform>%n pièces en synchronisme</numerusform>
            <numerusform>%n pièces en synchronisme</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GroupsView</name>
    <message numerus="yes">
        <source>%n enceinte(s)</source>
        <translation>
            <numerusform>%n enceinte</numerusform>
            <numerusform>%n enceintes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n groupe(s)</source>
        <translation>
            <numerusform>%n groupe</numerusform>
            <numerusform>%n groupes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HistoryView</name>
    <message numerus="yes">
        <source>%n écoute(s) conservée(s)</source>
        <translation>
            <numerusform>%n écoute conservée</numerusform>
            <numerusform>%n écoutes conservées</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Les %n écoutes conservées disparaîtront de tous vos ordinateurs. Cette action est définitive.</source>
        <translation>
            <numerusform>Les %n écoutes conservées disparaîtront de tous vos ordinateurs. Cette action est définitive.</numerusform>
            <numerusform>Les %n écoutes conservées disparaîtront de tous vos ordinateurs. Cette action est définitive.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HomeView</name>
    <message numerus="yes">
        <source>%n écoute(s)</source>
        <extracomment>How many times the artist was played</extracomment>
        <translation>
            <numerusform>%n écoute</numerusform>
            <numerusform>%n écoutes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Intents</name>
    <message numerus="yes">
        <source>La musique s&apos;arrêtera dans %n minute(s).</source>
        <translation>
            <numerusform>La musique s&apos;arrêtera dans %n minute.</numerusform>
            <numerusform>La musique s&apos;arrêtera dans %n minutes.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Playback</name>
    <message numerus="yes">
        <source>%n morceaux sur %1 n&apos;ont pas pu être ajoutés : %2</source>
        <translation>
            <numerusform>%n morceaux sur %1 n&apos;ont pas pu être ajoutés : %2</numerusform>
            <numerusform>%n morceaux sur %1 n&apos;ont pas pu être ajoutés : %2</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PlaylistDetailView</name>
    <message numerus="yes">
        <source>%n morceau(x)</source>
        <translation>
            <numerusform>%n morceau</numerusform>
            <numerusform>%n morceaux</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>QueueView</name>
    <message numerus="yes">
        <source>%n morceau(x)</source>
        <translation>
            <numerusform>%n morceau</numerusform>
            <numerusform>%n morceaux</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n morceau(x) à suivre</source>
        <translation>
            <numerusform>%n morceau à suivre</numerusform>
            <numerusform>%n morceaux à suivre</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TopArtistsList</name>
    <message numerus="yes">
        <source>%n écoute(s)</source>
        <translation>
            <numerusform>%n écoute</numerusform>
            <numerusform>%n écoutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1, %n écoute(s)</source>
        <extracomment>%1 is an artist&apos;s name</extracomment>
        <translation>
            <numerusform>%1, %n écoute</numerusform>
            <numerusform>%1, %n écoutes</numerusform>
        </translation>
    </message>
</context>
</TS>
