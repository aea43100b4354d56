<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL">
<context>
    <name>IBoardToolBar</name>
    <message>
        <source>Move</source>
        <translation>Verplaatsen</translation>
    </message>
    <message>
        <source>Pencil</source>
        <translation>Potlood</translation>
    </message>
    <message>
        <source>Thickness</source>
        <translation>Dikte</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Kleur</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>Transparantie</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Tekst</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>Vorm</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Gum</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Wissen</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Startscherm</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>Bureaublad</translation>
    </message>
</context>
<context>
    <name>ICameraToolBar</name>
    <message>
        <source>Focus and Exposure</source>
        <translation>Scherpstelling en belichting</translation>
    </message>
    <message>
        <source>Magnifier</source>
        <translation>Vergrootglas</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Resolutie</translation>
    </message>
    <message>
        <source>Zoom-in</source>
        <translation>Inzoomen</translation>
    </message>
    <message>
        <source>Zoom-out</source>
        <translation>Uitzoomen</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Draaien</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>Bevriezen</translation>
    </message>
    <message>
        <source>Color-adjusting</source>
        <translation>Kleur aanpassen</translation>
    </message>
    <message>
        <source>Self-adapting</source>
        <translation>Passend maken</translation>
    </message>
    <message>
        <source>Automatic edging</source>
        <translation>Automatisch bijsnijden</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Camera</translation>
    </message>
    <message>
        <source>Picture-in-picture</source>
        <translation>Beeld-in-beeld</translation>
    </message>
    <message>
        <source>Split-screen</source>
        <translation>Gesplitst scherm</translation>
    </message>
    <message>
        <source>Snap</source>
        <translation>Foto</translation>
    </message>
    <message>
        <source>Photo-mode</source>
        <translation>Fotomodus</translation>
    </message>
    <message>
        <source>Video-Recording</source>
        <translation>Video-opname</translation>
    </message>
</context>
<context>
    <name>ICaptureFrame</name>
    <message>
        <source>Back</source>
        <translation>Terug</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Selecteren</translation>
    </message>
</context>
<context>
    <name>ICaptureModeFrame</name>
    <message>
        <source>拍照提示音</source>
        <translation>Sluitergeluid</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standaard</translation>
    </message>
    <message>
        <source>Screen Capture</source>
        <translation>Schermafbeelding</translation>
    </message>
    <message>
        <source>Partial screen capture</source>
        <translation>Deel van het scherm</translation>
    </message>
    <message>
        <source>Timing capture</source>
        <translation>Getimede opname</translation>
    </message>
    <message>
        <source>Time-lapse</source>
        <translation>Time-lapse</translation>
    </message>
    <message>
        <source>Screen capture to clipboard</source>
        <translation>Schermafbeelding naar klembord</translation>
    </message>
    <message>
        <source>Black white capture</source>
        <translation>Zwart-witopname</translation>
    </message>
    <message>
        <source>Gray capture</source>
        <translation>Grijswaardenopname</translation>
    </message>
</context>
<context>
    <name>IColorFrame</name>
    <message>
        <source>Red</source>
        <translation>Rood</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Groen</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blauw</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Geel</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Roze</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cyaan</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Zwart</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Wit</translation>
    </message>
</context>
<context>
    <name>IColorPanel</name>
    <message>
        <source>Color Panel</source>
        <translation>Kleurenpalet</translation>
    </message>
</context>
<context>
    <name>ICommonTextElementFrame</name>
    <message>
        <source>Lock</source>
        <translation>Vergrendelen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopiëren</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Verwijderen</translation>
    </message>
</context>
<context>
    <name>IConfigureService</name>
    <message>
        <source>The settings could not be saved: %1</source>
        <translation>De instellingen konden niet worden opgeslagen: %1</translation>
    </message>
    <message>
        <source>The settings file was too large to read. It was set aside as %1 and the default settings are used.</source>
        <translation>Het instellingenbestand was te groot om te lezen. Het is apart gezet als %1 en de standaardinstellingen worden gebruikt.</translation>
    </message>
    <message>
        <source>The settings file is too large to read; the default settings are used.</source>
        <translation>Het instellingenbestand is te groot om te lezen; de standaardinstellingen worden gebruikt.</translation>
    </message>
    <message>
        <source>The settings file is read-only: changes to the settings will not be kept.</source>
        <translation>Het instellingenbestand is alleen-lezen: wijzigingen in de instellingen worden niet bewaard.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read; the default settings are used.</source>
        <translation>Het instellingenbestand %1 kan niet worden gelezen; de standaardinstellingen worden gebruikt.</translation>
    </message>
    <message>
        <source>The settings file is too large to read and could not be set aside (%1). The default settings are used, and the file is left as it is: changes to the settings will not be kept until the program is started again.</source>
        <translation>Het instellingenbestand is te groot om te lezen en kon niet apart worden gezet (%1). De standaardinstellingen worden gebruikt en het bestand blijft zoals het is: wijzigingen in de instellingen worden pas bewaard nadat het programma opnieuw is gestart.</translation>
    </message>
</context>
<context>
    <name>IFFmpegApi</name>
    <message>
        <source>Failed to open acquisition device</source>
        <translation>Het opnameapparaat kon niet worden geopend</translation>
    </message>
    <message>
        <source>Initialization output failed</source>
        <translation>De uitvoer kon niet worden voorbereid</translation>
    </message>
    <message>
        <source>The recording stopped because the screen could no longer be captured. What was recorded is kept in:
%1</source>
        <translation>De opname is gestopt omdat het scherm niet meer kon worden opgenomen. Wat is opgenomen staat in:
%1</translation>
    </message>
    <message>
        <source>The recording could not be written completely: %1. What was written is kept in:
%2</source>
        <translation>De opname kon niet volledig worden geschreven: %1. Wat geschreven is, staat in:
%2</translation>
    </message>
    <message>
        <source>Initialization output failed: %1. The recording cannot be saved in:
%2</source>
        <translation>De uitvoer kon niet worden voorbereid: %1. De opname kan niet worden opgeslagen in:
%2</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: this Wayland desktop offers no screen-sharing service (xdg-desktop-portal). Install the portal of your desktop, or log in with an X11 session to record the screen.</source>
        <translation>Het scherm kan niet worden opgenomen: deze Wayland-desktop biedt geen dienst voor schermdelen (xdg-desktop-portal). Installeer de portal van uw desktop of meld u aan met een X11-sessie om het scherm op te nemen.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s request to share the screen was refused or cancelled. Press Start again and allow sharing the screen to record it.</source>
        <translation>Het scherm kan niet worden opgenomen: het verzoek van de desktop om het scherm te delen is geweigerd of geannuleerd. Druk opnieuw op Start en sta het delen van het scherm toe om het op te nemen.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s screen stream (PipeWire) cannot be opened. Install PipeWire and gstreamer1.0-pipewire, or log in with an X11 session to record the screen.</source>
        <translation>Het scherm kan niet worden opgenomen: de schermstream van de desktop (PipeWire) kan niet worden geopend. Installeer PipeWire en gstreamer1.0-pipewire of meld u aan met een X11-sessie om het scherm op te nemen.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop shared the screen but sent no picture. Log in with an X11 session to record the screen.</source>
        <translation>Het scherm kan niet worden opgenomen: de desktop heeft het scherm gedeeld maar geen beeld gestuurd. Meld u aan met een X11-sessie om het scherm op te nemen.</translation>
    </message>
    <message>
        <source>The recording stopped because the screen could no longer be captured, before any picture was recorded. No file was kept.</source>
        <translation>De opname is gestopt omdat het scherm niet meer kon worden vastgelegd, voordat er een beeld was opgenomen. Er is geen bestand bewaard.</translation>
    </message>
    <message>
        <source>No picture of the screen arrived before the recording was stopped. Nothing was recorded, and no file was kept.</source>
        <translation>Er kwam geen beeld van het scherm binnen voordat de opname werd gestopt. Er is niets opgenomen en er is geen bestand bewaard.</translation>
    </message>
    <message>
        <source>The sound stopped at %1 of the recording.</source>
        <translation>Het geluid stopte op %1 van de opname.</translation>
    </message>
    <message>
        <source>The sound is missing from %1 to %2 of the recording.</source>
        <translation>Het geluid ontbreekt van %1 tot %2 van de opname.</translation>
    </message>
    <message>
        <source>The recorder could not process the sound.</source>
        <translation>Het opnameprogramma kon het geluid niet verwerken.</translation>
    </message>
    <message>
        <source>The microphone was disconnected.</source>
        <translation>De microfoon is losgekoppeld.</translation>
    </message>
    <message>
        <source>The microphone sent no sound.</source>
        <translation>De microfoon stuurde geen geluid.</translation>
    </message>
    <message>
        <source>The sound system reported an error.</source>
        <translation>Het geluidssysteem meldde een fout.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop did not answer the request to share the screen in time. Press Start to try again; if it still does not answer, log out and in again, or log in with an X11 session to record the screen.</source>
        <translation>Het scherm kan niet worden opgenomen: de desktop heeft niet op tijd geantwoord op het verzoek om het scherm te delen. Druk op Start om het opnieuw te proberen; antwoordt hij nog steeds niet, meld u dan af en weer aan, of meld u aan met een X11-sessie om het scherm op te nemen.</translation>
    </message>
    <message>
        <source>The recording has no sound: no microphone answered.</source>
        <translation>De opname heeft geen geluid: geen microfoon reageerde.</translation>
    </message>
    <message>
        <source>%1 to the end</source>
        <translation>%1 tot het einde</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 en nog %2</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>The sound is missing in %1 places, %2 in all: %3.</source>
        <translation>Het geluid ontbreekt op %1 plaatsen, in totaal %2: %3.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s screen-sharing service (xdg-desktop-portal) failed without asking. Press Start to try again; if it fails again, log out and in again, or log in with an X11 session to record the screen.</source>
        <translation>Het scherm kan niet worden opgenomen: de schermdeeldienst van de desktop (xdg-desktop-portal) is mislukt zonder iets te vragen. Druk op Start om het opnieuw te proberen; mislukt het weer, meld u dan af en weer aan, of meld u aan met een X11-sessie om het scherm op te nemen.</translation>
    </message>
</context>
<context>
    <name>IFigureFrame</name>
    <message>
        <source>Straight line</source>
        <translation>Rechte lijn</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>Cirkel</translation>
    </message>
    <message>
        <source>Oval</source>
        <translation>Ovaal</translation>
    </message>
    <message>
        <source>Triangle</source>
        <translation>Driehoek</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rechthoek</translation>
    </message>
</context>
<context>
    <name>IFocusFrame</name>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Scherpstelling</translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation>Belichting</translation>
    </message>
</context>
<context>
    <name>IImageTansformThread</name>
    <message>
        <source>empty picture</source>
        <translation>lege afbeelding</translation>
    </message>
</context>
<context>
    <name>IImgList</name>
    <message>
        <source>Delete</source>
        <translation>Verwijderen</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Bekijken</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Opslaan als</translation>
    </message>
    <message>
        <source>The picture could not be saved: %1</source>
        <translation>De afbeelding kon niet worden opgeslagen: %1</translation>
    </message>
    <message>
        <source>These files could not be deleted:
%1</source>
        <translation>Deze bestanden konden niet worden verwijderd:
%1</translation>
    </message>
    <message>
        <source>PNG File(*.png);;JPEG File(*.jpeg);;TIFF File(*.tiff);;PDF File (*.pdf);;BMP File(*.bmp)</source>
        <translation>PNG-bestand(*.png);;JPEG-bestand(*.jpeg);;TIFF-bestand(*.tiff);;PDF-bestand (*.pdf);;BMP-bestand(*.bmp)</translation>
    </message>
    <message>
        <source>请先选择左边列表文件</source>
        <translation>Kies eerst een afbeelding in de lijst</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>Save failed: unknown file type &quot;%1&quot;.</source>
        <translation>Opslaan mislukt: onbekend bestandstype &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>These files already exist:
%1
Replace them?</source>
        <translation>Deze bestanden bestaan al:
%1
Vervangen?</translation>
    </message>
    <message>
        <source>Save Successful.</source>
        <translation>Opgeslagen.</translation>
    </message>
    <message>
        <source>Save failed for:
%1</source>
        <translation>Opslaan mislukt voor:
%1</translation>
    </message>
    <message>
        <source>Not replaced:
%1</source>
        <translation>Niet vervangen:
%1</translation>
    </message>
    <message>
        <source>Save failed: %1</source>
        <translation>Opslaan mislukt: %1</translation>
    </message>
    <message>
        <source>Saved, but these pictures could not be read:
%1</source>
        <translation>Opgeslagen, maar deze afbeeldingen waren onleesbaar:
%1</translation>
    </message>
    <message>
        <source>No program to view the picture was found. It is saved at:
%1</source>
        <translation>Geen programma gevonden om de afbeelding te bekijken. Ze staat in:
%1</translation>
    </message>
</context>
<context>
    <name>IImgListThumbnail</name>
    <message>
        <source>Not a readable picture.</source>
        <translation>Geen leesbare afbeelding.</translation>
    </message>
    <message>
        <source>The picture is too large (%1 x %2).</source>
        <translation>De afbeelding is te groot (%1 x %2).</translation>
    </message>
</context>
<context>
    <name>IImgListWidget</name>
    <message>
        <source>Gallery</source>
        <translation>Galerij</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles selecteren</translation>
    </message>
    <message>
        <source>Deselect</source>
        <translation>Deselecteren</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>Bestand importeren</translation>
    </message>
    <message>
        <source>Not imported:
%1</source>
        <translation>Niet geïmporteerd:
%1</translation>
    </message>
    <message>
        <source>Imported, but not complete (the file is damaged or cut off):
%1</source>
        <translation>Geïmporteerd, maar onvolledig (het bestand is beschadigd of afgebroken):
%1</translation>
    </message>
</context>
<context>
    <name>IMacosPermissionBox</name>
    <message>
        <source>The application requires microphone access to record the audio.</source>
        <translation>Het programma heeft toegang tot de microfoon nodig om geluid op te nemen.</translation>
    </message>
    <message>
        <source>The application requires Screen Recording access to record the video.</source>
        <translation>Het programma heeft toestemming voor schermopname nodig om de video op te nemen.</translation>
    </message>
    <message>
        <source>Microphone Preferences...</source>
        <translation>Microfooninstellingen...</translation>
    </message>
    <message>
        <source>Screen Recording Preferences...</source>
        <translation>Schermopname-instellingen...</translation>
    </message>
</context>
<context>
    <name>IMagnifierFrame</name>
    <message>
        <source>Magnifier</source>
        <translation>Vergrootglas</translation>
    </message>
</context>
<context>
    <name>IMainTitleWidget</name>
    <message>
        <source>Cameras</source>
        <translation>Camera&apos;s</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Instellingen</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimaliseren</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximaliseren</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Herstellen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
</context>
<context>
    <name>IMsgBox</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
</context>
<context>
    <name>IParameterFrame</name>
    <message>
        <source>Default</source>
        <translation>Standaard</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Contrast </source>
        <translation>Contrast </translation>
    </message>
    <message>
        <source>Brightness </source>
        <translation>Helderheid </translation>
    </message>
    <message>
        <source>Saturation </source>
        <translation>Verzadiging </translation>
    </message>
</context>
<context>
    <name>IPdfWriter</name>
    <message>
        <source>No picture selected.</source>
        <translation>Geen afbeelding geselecteerd.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Kan %1 niet schrijven: %2</translation>
    </message>
</context>
<context>
    <name>IPictureCompareFrame</name>
    <message>
        <source>Please select a picture first</source>
        <translation>Kies eerst een afbeelding</translation>
    </message>
</context>
<context>
    <name>IRecordVideo</name>
    <message>
        <source>The ffmpeg program is not installed.</source>
        <translation>Het programma ffmpeg is niet geïnstalleerd.</translation>
    </message>
    <message>
        <source>The recording cannot be written to its cache folder.</source>
        <translation>De opname kan niet naar de cachemap worden geschreven.</translation>
    </message>
    <message>
        <source>The screen recorder could not be started.</source>
        <translation>De schermopname kon niet worden gestart.</translation>
    </message>
    <message>
        <source>The recording could not be saved.</source>
        <translation>De opname kon niet worden opgeslagen.</translation>
    </message>
</context>
<context>
    <name>IRightToolBar</name>
    <message>
        <source>Board</source>
        <translation>Bord</translation>
    </message>
    <message>
        <source>Magnifier</source>
        <translation>Vergrootglas</translation>
    </message>
    <message>
        <source>Zoom-in</source>
        <translation>Inzoomen</translation>
    </message>
    <message>
        <source>Zoom-out</source>
        <translation>Uitzoomen</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Draaien</translation>
    </message>
    <message>
        <source>Self-adapting</source>
        <translation>Passend maken</translation>
    </message>
</context>
<context>
    <name>ISettingFrame</name>
    <message>
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Afbeelding</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Instellingen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Over</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Formaat</translation>
    </message>
    <message>
        <source>Software:</source>
        <translation>Programma:</translation>
    </message>
    <message>
        <source>Language switch:</source>
        <translation>Taal:</translation>
    </message>
    <message>
        <source>Software Version:</source>
        <translation>Versie:</translation>
    </message>
    <message>
        <source>Restart the software, to activate the language setting.</source>
        <translation>Start het programma opnieuw om de taal toe te passen.</translation>
    </message>
    <message>
        <source>View video file path</source>
        <translation>Map bekijken</translation>
    </message>
    <message>
        <source>View picture file path</source>
        <translation>Map bekijken</translation>
    </message>
    <message>
        <source>Setup video file path</source>
        <translation>Map kiezen</translation>
    </message>
    <message>
        <source>Setup picture file path</source>
        <translation>Map kiezen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Openen</translation>
    </message>
    <message>
        <source>Confirm modification?</source>
        <translation>Wijziging bevestigen?</translation>
    </message>
    <message>
        <source>No program to show the folder was found. The folder is:
%1</source>
        <translation>Geen programma gevonden om de map te tonen. De map is:
%1</translation>
    </message>
</context>
<context>
    <name>ISmallCameraFrame</name>
    <message>
        <source>Picture-in-picture</source>
        <translation>Beeld-in-beeld</translation>
    </message>
    <message>
        <source>No camera device available</source>
        <translation>Geen camera beschikbaar</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>Camera&apos;s</translation>
    </message>
</context>
<context>
    <name>IThicknessFrame</name>
    <message>
        <source>%1 thickness</source>
        <translation>Dikte %1</translation>
    </message>
</context>
<context>
    <name>ITimelapseButton</name>
    <message>
        <source>sec</source>
        <translation>s</translation>
    </message>
</context>
<context>
    <name>ITimelapseFrame</name>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stoppen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pauze</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Hervatten</translation>
    </message>
    <message>
        <source>A time-lapse picture could not be taken; the next one follows in %1 s.</source>
        <translation>Een time-lapsefoto kon niet worden gemaakt; de volgende volgt over %1 s.</translation>
    </message>
</context>
<context>
    <name>ITimelapseTimes</name>
    <message>
        <source>Shot</source>
        <translation>Gemaakt</translation>
    </message>
    <message>
        <source>Next in</source>
        <translation>Volgende over</translation>
    </message>
    <message>
        <source>Missed %1</source>
        <translation>Gemist %1</translation>
    </message>
</context>
<context>
    <name>ITimerCaptureControlFrame</name>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Halt</source>
        <translation>Pauze</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stoppen</translation>
    </message>
</context>
<context>
    <name>ITimerCaptureFrame</name>
    <message>
        <source>Please input integer greater than 0.</source>
        <translation>Voer een geheel getal groter dan 0 in.</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bevestigen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Interval Time</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>Capture Pages</source>
        <translation>Aantal foto&apos;s</translation>
    </message>
</context>
<context>
    <name>IVideoRecordFrame</name>
    <message>
        <source>Full screen</source>
        <translation>Volledig scherm</translation>
    </message>
    <message>
        <source>自动判断</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Afsluiten</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Halt</source>
        <translation>Pauze</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stoppen</translation>
    </message>
    <message>
        <source>No microphone: recording without sound</source>
        <translation>Geen microfoon: opname zonder geluid</translation>
    </message>
    <message>
        <source>Waiting for the desktop&apos;s permission to share the screen...</source>
        <translation>Wachten op toestemming van de desktop om het scherm te delen...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>The desktop does not tell where this window is: the whole screen is recorded</source>
        <translation>De desktop geeft niet door waar dit venster is: het hele scherm wordt opgenomen</translation>
    </message>
    <message>
        <source>The microphone is gone: no sound is recorded until it is back</source>
        <translation>De microfoon is weg: er wordt geen geluid opgenomen tot hij terug is</translation>
    </message>
    <message>
        <source>Saving the last recording...</source>
        <translation>De vorige opname wordt opgeslagen...</translation>
    </message>
</context>
<context>
    <name>IVideoRecordMsgBox</name>
    <message>
        <source>Screen recording</source>
        <translation>Schermopname</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Bestand openen</translation>
    </message>
    <message>
        <source>Open directory</source>
        <translation>Map openen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
    <message>
        <source>No program to open it was found. It is at:
%1</source>
        <translation>Geen programma gevonden om het te openen. Het staat in:
%1</translation>
    </message>
</context>
<context>
    <name>ImageView</name>
    <message>
        <source>Please select a picture first</source>
        <translation>Kies eerst een afbeelding</translation>
    </message>
</context>
<context>
    <name>MainFrame</name>
    <message>
        <source>The time-lapse video could not be written completely: %1</source>
        <translation>De time-lapsevideo kon niet volledig worden geschreven: %1</translation>
    </message>
    <message>
        <source>The camera is not available, or it is caused by power failure, poor contact and being pulled out. Please check the equipment.</source>
        <translation>De camera is niet beschikbaar: stroomuitval, slecht contact of losgekoppeld. Controleer de apparatuur.</translation>
    </message>
    <message>
        <source>Resolution settings failed, please re-select.</source>
        <translation>De resolutie kon niet worden ingesteld, kies opnieuw.</translation>
    </message>
    <message>
        <source>No ocumetra device is found! The possible reasons could be: 1. Ocumetra is not connected properly. 2. Driver program is not installed successfully. 3. The device is damaged.</source>
        <translation>Geen Ocumetra-apparaat gevonden! Mogelijke oorzaken: 1. Ocumetra is niet goed aangesloten. 2. Het stuurprogramma is niet goed geïnstalleerd. 3. Het apparaat is beschadigd.</translation>
    </message>
    <message>
        <source>Saving, please wait!</source>
        <translation>Bezig met opslaan, even geduld!</translation>
    </message>
    <message>
        <source>Taking the photo failed, please try again.</source>
        <translation>De foto is mislukt, probeer het opnieuw.</translation>
    </message>
    <message>
        <source>The picture could not be saved: %1</source>
        <translation>De afbeelding kon niet worden opgeslagen: %1</translation>
    </message>
    <message>
        <source>Video is saved.</source>
        <translation>Video opgeslagen.</translation>
    </message>
    <message>
        <source>Current resolution: 1920*1080</source>
        <translation>Huidige resolutie: 1920*1080</translation>
    </message>
    <message>
        <source>The time-lapse video could not be started.</source>
        <translation>De time-lapsevideo kon niet worden gestart.</translation>
    </message>
    <message>
        <source>No video was written.</source>
        <translation>Er is geen video geschreven.</translation>
    </message>
    <message>
        <source>There is no picture to copy.</source>
        <translation>Er is geen afbeelding om te kopiëren.</translation>
    </message>
    <message>
        <source>Succeed!</source>
        <translation>Gelukt!</translation>
    </message>
    <message>
        <source>请先选择左边列表文件</source>
        <translation>Kies eerst een afbeelding in de lijst</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>PDF File (*.pdf)</source>
        <translation>PDF-bestand (*.pdf)</translation>
    </message>
    <message>
        <source>Save failed. %1</source>
        <translation>Opslaan mislukt. %1</translation>
    </message>
    <message>
        <source>Saved, but these pictures could not be read and left empty pages:
%1</source>
        <translation>Opgeslagen, maar deze afbeeldingen waren onleesbaar en gaven lege pagina&apos;s:
%1</translation>
    </message>
    <message>
        <source>Save Successful.</source>
        <translation>Opgeslagen.</translation>
    </message>
</context>
</TS>
