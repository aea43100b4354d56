<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>IBoardToolBar</name>
    <message>
        <source>Move</source>
        <translation>Verschieben</translation>
    </message>
    <message>
        <source>Pencil</source>
        <translation>Stift</translation>
    </message>
    <message>
        <source>Thickness</source>
        <translation>Stärke</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>Transparenz</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Radierer</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>Desktop</translation>
    </message>
</context>
<context>
    <name>ICameraToolBar</name>
    <message>
        <source>Focus and Exposure</source>
        <translation>Fokus und Belichtung</translation>
    </message>
    <message>
        <source>Magnifier</source>
        <translation>Lupe</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Auflösung</translation>
    </message>
    <message>
        <source>Zoom-in</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom-out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Drehen</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>Einfrieren</translation>
    </message>
    <message>
        <source>Color-adjusting</source>
        <translation>Farbanpassung</translation>
    </message>
    <message>
        <source>Self-adapting</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>Automatic edging</source>
        <translation>Auto-Zuschnitt</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Kamera</translation>
    </message>
    <message>
        <source>Picture-in-picture</source>
        <translation>Bild im Bild</translation>
    </message>
    <message>
        <source>Split-screen</source>
        <translation>Geteilter Bildschirm</translation>
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
        <translation>Videoaufnahme</translation>
    </message>
</context>
<context>
    <name>ICaptureFrame</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Auswählen</translation>
    </message>
</context>
<context>
    <name>ICaptureModeFrame</name>
    <message>
        <source>拍照提示音</source>
        <translation>Auslöseton</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Screen Capture</source>
        <translation>Bildschirmfoto</translation>
    </message>
    <message>
        <source>Partial screen capture</source>
        <translation>Bildschirmausschnitt</translation>
    </message>
    <message>
        <source>Timing capture</source>
        <translation>Zeitgesteuerte Aufnahme</translation>
    </message>
    <message>
        <source>Time-lapse</source>
        <translation>Zeitraffer</translation>
    </message>
    <message>
        <source>Screen capture to clipboard</source>
        <translation>Bildschirmfoto in Zwischenablage</translation>
    </message>
    <message>
        <source>Black white capture</source>
        <translation>Schwarzweiß-Aufnahme</translation>
    </message>
    <message>
        <source>Gray capture</source>
        <translation>Graustufen-Aufnahme</translation>
    </message>
</context>
<context>
    <name>IColorFrame</name>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Rosa</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
</context>
<context>
    <name>IColorPanel</name>
    <message>
        <source>Color Panel</source>
        <translation>Farbpalette</translation>
    </message>
</context>
<context>
    <name>ICommonTextElementFrame</name>
    <message>
        <source>Lock</source>
        <translation>Sperren</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
</context>
<context>
    <name>IConfigureService</name>
    <message>
        <source>The settings could not be saved: %1</source>
        <translation>Die Einstellungen konnten nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>The settings file was too large to read. It was set aside as %1 and the default settings are used.</source>
        <translation>Die Einstellungsdatei war zu groß zum Lesen. Sie wurde als %1 beiseitegelegt, und die Standardeinstellungen werden verwendet.</translation>
    </message>
    <message>
        <source>The settings file is too large to read; the default settings are used.</source>
        <translation>Die Einstellungsdatei ist zu groß zum Lesen; die Standardeinstellungen werden verwendet.</translation>
    </message>
    <message>
        <source>The settings file is read-only: changes to the settings will not be kept.</source>
        <translation>Die Einstellungsdatei ist schreibgeschützt: Änderungen an den Einstellungen werden nicht gespeichert.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read; the default settings are used.</source>
        <translation>Die Einstellungsdatei %1 kann nicht gelesen werden; die Standardeinstellungen werden verwendet.</translation>
    </message>
    <message>
        <source>The settings file is too large to read and could not be set aside (%1). The default settings are used, and the file is left as it is: changes to the settings will not be kept until the program is started again.</source>
        <translation>Die Einstellungsdatei ist zu groß zum Lesen und konnte nicht beiseitegelegt werden (%1). Die Standardeinstellungen werden verwendet, und die Datei bleibt unverändert: Änderungen an den Einstellungen werden bis zum nächsten Programmstart nicht gespeichert.</translation>
    </message>
</context>
<context>
    <name>IFFmpegApi</name>
    <message>
        <source>Failed to open acquisition device</source>
        <translation>Das Aufnahmegerät konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Initialization output failed</source>
        <translation>Die Ausgabe konnte nicht vorbereitet werden</translation>
    </message>
    <message>
        <source>The recording stopped because the screen could no longer be captured. What was recorded is kept in:
%1</source>
        <translation>Die Aufnahme wurde beendet, weil der Bildschirm nicht mehr aufgenommen werden konnte. Das Aufgenommene liegt in:
%1</translation>
    </message>
    <message>
        <source>The recording could not be written completely: %1. What was written is kept in:
%2</source>
        <translation>Die Aufnahme konnte nicht vollständig geschrieben werden: %1. Das Geschriebene liegt in:
%2</translation>
    </message>
    <message>
        <source>Initialization output failed: %1. The recording cannot be saved in:
%2</source>
        <translation>Die Ausgabe konnte nicht vorbereitet werden: %1. Die Aufnahme kann nicht gespeichert werden in:
%2</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: this Wayland desktop offers no screen-sharing service (xdg-desktop-portal). Install the portal of your desktop, or log in with an X11 session to record the screen.</source>
        <translation>Der Bildschirm kann nicht aufgenommen werden: Dieser Wayland-Desktop bietet keinen Dienst zur Bildschirmfreigabe (xdg-desktop-portal). Installieren Sie das Portal Ihres Desktops oder melden Sie sich mit einer X11-Sitzung an, um den Bildschirm aufzunehmen.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s request to share the screen was refused or cancelled. Press Start again and allow sharing the screen to record it.</source>
        <translation>Der Bildschirm kann nicht aufgenommen werden: Die Anfrage des Desktops zur Bildschirmfreigabe wurde abgelehnt oder abgebrochen. Drücken Sie erneut auf Start und erlauben Sie die Bildschirmfreigabe, um ihn aufzunehmen.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s screen stream (PipeWire) cannot be opened. Install PipeWire and gstreamer1.0-pipewire, or log in with an X11 session to record the screen.</source>
        <translation>Der Bildschirm kann nicht aufgenommen werden: Der Bildschirmstream des Desktops (PipeWire) lässt sich nicht öffnen. Installieren Sie PipeWire und gstreamer1.0-pipewire oder melden Sie sich mit einer X11-Sitzung an, um den Bildschirm aufzunehmen.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop shared the screen but sent no picture. Log in with an X11 session to record the screen.</source>
        <translation>Der Bildschirm kann nicht aufgenommen werden: Der Desktop hat den Bildschirm freigegeben, aber kein Bild gesendet. Melden Sie sich mit einer X11-Sitzung an, um den Bildschirm aufzunehmen.</translation>
    </message>
    <message>
        <source>The recording stopped because the screen could no longer be captured, before any picture was recorded. No file was kept.</source>
        <translation>Die Aufnahme wurde beendet, weil der Bildschirm nicht mehr aufgenommen werden konnte, bevor ein Bild aufgenommen wurde. Es wurde keine Datei behalten.</translation>
    </message>
    <message>
        <source>No picture of the screen arrived before the recording was stopped. Nothing was recorded, and no file was kept.</source>
        <translation>Bevor die Aufnahme beendet wurde, kam kein Bild des Bildschirms an. Es wurde nichts aufgenommen und keine Datei behalten.</translation>
    </message>
    <message>
        <source>The sound stopped at %1 of the recording.</source>
        <translation>Der Ton endete bei %1 der Aufnahme.</translation>
    </message>
    <message>
        <source>The sound is missing from %1 to %2 of the recording.</source>
        <translation>Der Ton fehlt von %1 bis %2 der Aufnahme.</translation>
    </message>
    <message>
        <source>The recorder could not process the sound.</source>
        <translation>Das Aufnahmeprogramm konnte den Ton nicht verarbeiten.</translation>
    </message>
    <message>
        <source>The microphone was disconnected.</source>
        <translation>Das Mikrofon wurde getrennt.</translation>
    </message>
    <message>
        <source>The microphone sent no sound.</source>
        <translation>Das Mikrofon hat keinen Ton gesendet.</translation>
    </message>
    <message>
        <source>The sound system reported an error.</source>
        <translation>Das Tonsystem hat einen Fehler gemeldet.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop did not answer the request to share the screen in time. Press Start to try again; if it still does not answer, log out and in again, or log in with an X11 session to record the screen.</source>
        <translation>Der Bildschirm kann nicht aufgenommen werden: Der Desktop hat auf die Anfrage zur Bildschirmfreigabe nicht rechtzeitig geantwortet. Drücken Sie erneut auf Start; antwortet er weiterhin nicht, melden Sie sich ab und wieder an oder melden Sie sich mit einer X11-Sitzung an, um den Bildschirm aufzunehmen.</translation>
    </message>
    <message>
        <source>The recording has no sound: no microphone answered.</source>
        <translation>Die Aufnahme hat keinen Ton: Kein Mikrofon hat geantwortet.</translation>
    </message>
    <message>
        <source>%1 to the end</source>
        <translation>%1 bis zum Ende</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 und %2 weitere</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>The sound is missing in %1 places, %2 in all: %3.</source>
        <translation>Der Ton fehlt an %1 Stellen, insgesamt %2: %3.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s screen-sharing service (xdg-desktop-portal) failed without asking. Press Start to try again; if it fails again, log out and in again, or log in with an X11 session to record the screen.</source>
        <translation>Der Bildschirm kann nicht aufgenommen werden: Der Dienst zur Bildschirmfreigabe des Desktops (xdg-desktop-portal) ist ohne Nachfrage fehlgeschlagen. Drücken Sie erneut auf Start; schlägt er wieder fehl, melden Sie sich ab und wieder an oder melden Sie sich mit einer X11-Sitzung an, um den Bildschirm aufzunehmen.</translation>
    </message>
</context>
<context>
    <name>IFigureFrame</name>
    <message>
        <source>Straight line</source>
        <translation>Gerade</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>Kreis</translation>
    </message>
    <message>
        <source>Oval</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Triangle</source>
        <translation>Dreieck</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rechteck</translation>
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
        <translation>Fokus</translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation>Belichtung</translation>
    </message>
</context>
<context>
    <name>IImageTansformThread</name>
    <message>
        <source>empty picture</source>
        <translation>leeres Bild</translation>
    </message>
</context>
<context>
    <name>IImgList</name>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansehen</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>The picture could not be saved: %1</source>
        <translation>Das Bild konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>These files could not be deleted:
%1</source>
        <translation>Diese Dateien konnten nicht gelöscht werden:
%1</translation>
    </message>
    <message>
        <source>PNG File(*.png);;JPEG File(*.jpeg);;TIFF File(*.tiff);;PDF File (*.pdf);;BMP File(*.bmp)</source>
        <translation>PNG-Datei(*.png);;JPEG-Datei(*.jpeg);;TIFF-Datei(*.tiff);;PDF-Datei (*.pdf);;BMP-Datei(*.bmp)</translation>
    </message>
    <message>
        <source>请先选择左边列表文件</source>
        <translation>Bitte zuerst ein Bild in der Liste wählen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save failed: unknown file type &quot;%1&quot;.</source>
        <translation>Speichern fehlgeschlagen: unbekannter Dateityp „%1“.</translation>
    </message>
    <message>
        <source>These files already exist:
%1
Replace them?</source>
        <translation>Diese Dateien gibt es schon:
%1
Ersetzen?</translation>
    </message>
    <message>
        <source>Save Successful.</source>
        <translation>Gespeichert.</translation>
    </message>
    <message>
        <source>Save failed for:
%1</source>
        <translation>Speichern fehlgeschlagen für:
%1</translation>
    </message>
    <message>
        <source>Not replaced:
%1</source>
        <translation>Nicht ersetzt:
%1</translation>
    </message>
    <message>
        <source>Save failed: %1</source>
        <translation>Speichern fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Saved, but these pictures could not be read:
%1</source>
        <translation>Gespeichert, aber diese Bilder waren nicht lesbar:
%1</translation>
    </message>
    <message>
        <source>No program to view the picture was found. It is saved at:
%1</source>
        <translation>Kein Programm zum Anzeigen des Bildes gefunden. Es liegt in:
%1</translation>
    </message>
</context>
<context>
    <name>IImgListThumbnail</name>
    <message>
        <source>Not a readable picture.</source>
        <translation>Kein lesbares Bild.</translation>
    </message>
    <message>
        <source>The picture is too large (%1 x %2).</source>
        <translation>Das Bild ist zu groß (%1 x %2).</translation>
    </message>
</context>
<context>
    <name>IImgListWidget</name>
    <message>
        <source>Gallery</source>
        <translation>Galerie</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alle wählen</translation>
    </message>
    <message>
        <source>Deselect</source>
        <translation>Abwählen</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>Datei importieren</translation>
    </message>
    <message>
        <source>Not imported:
%1</source>
        <translation>Nicht importiert:
%1</translation>
    </message>
    <message>
        <source>Imported, but not complete (the file is damaged or cut off):
%1</source>
        <translation>Importiert, aber unvollständig (die Datei ist beschädigt oder abgeschnitten):
%1</translation>
    </message>
</context>
<context>
    <name>IMacosPermissionBox</name>
    <message>
        <source>The application requires microphone access to record the audio.</source>
        <translation>Das Programm braucht Zugriff auf das Mikrofon, um Ton aufzunehmen.</translation>
    </message>
    <message>
        <source>The application requires Screen Recording access to record the video.</source>
        <translation>Das Programm braucht die Berechtigung zur Bildschirmaufnahme, um das Video aufzunehmen.</translation>
    </message>
    <message>
        <source>Microphone Preferences...</source>
        <translation>Mikrofon-Einstellungen...</translation>
    </message>
    <message>
        <source>Screen Recording Preferences...</source>
        <translation>Bildschirmaufnahme-Einstellungen...</translation>
    </message>
</context>
<context>
    <name>IMagnifierFrame</name>
    <message>
        <source>Magnifier</source>
        <translation>Lupe</translation>
    </message>
</context>
<context>
    <name>IMainTitleWidget</name>
    <message>
        <source>Cameras</source>
        <translation>Kameras</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximieren</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
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
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>IParameterFrame</name>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Contrast </source>
        <translation>Kontrast </translation>
    </message>
    <message>
        <source>Brightness </source>
        <translation>Helligkeit </translation>
    </message>
    <message>
        <source>Saturation </source>
        <translation>Sättigung </translation>
    </message>
</context>
<context>
    <name>IPdfWriter</name>
    <message>
        <source>No picture selected.</source>
        <translation>Kein Bild ausgewählt.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>IPictureCompareFrame</name>
    <message>
        <source>Please select a picture first</source>
        <translation>Bitte zuerst ein Bild wählen</translation>
    </message>
</context>
<context>
    <name>IRecordVideo</name>
    <message>
        <source>The ffmpeg program is not installed.</source>
        <translation>Das Programm ffmpeg ist nicht installiert.</translation>
    </message>
    <message>
        <source>The recording cannot be written to its cache folder.</source>
        <translation>Die Aufnahme kann nicht in ihren Cache-Ordner geschrieben werden.</translation>
    </message>
    <message>
        <source>The screen recorder could not be started.</source>
        <translation>Die Bildschirmaufnahme konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The recording could not be saved.</source>
        <translation>Die Aufnahme konnte nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>IRightToolBar</name>
    <message>
        <source>Board</source>
        <translation>Tafel</translation>
    </message>
    <message>
        <source>Magnifier</source>
        <translation>Lupe</translation>
    </message>
    <message>
        <source>Zoom-in</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom-out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Drehen</translation>
    </message>
    <message>
        <source>Self-adapting</source>
        <translation>Einpassen</translation>
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
        <translation>Bild</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Software:</source>
        <translation>Programm:</translation>
    </message>
    <message>
        <source>Language switch:</source>
        <translation>Sprache:</translation>
    </message>
    <message>
        <source>Software Version:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>Restart the software, to activate the language setting.</source>
        <translation>Starten Sie das Programm neu, um die Sprache zu übernehmen.</translation>
    </message>
    <message>
        <source>View video file path</source>
        <translation>Ordner anzeigen</translation>
    </message>
    <message>
        <source>View picture file path</source>
        <translation>Ordner anzeigen</translation>
    </message>
    <message>
        <source>Setup video file path</source>
        <translation>Ordner wählen</translation>
    </message>
    <message>
        <source>Setup picture file path</source>
        <translation>Ordner wählen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Confirm modification?</source>
        <translation>Änderung bestätigen?</translation>
    </message>
    <message>
        <source>No program to show the folder was found. The folder is:
%1</source>
        <translation>Kein Programm zum Anzeigen des Ordners gefunden. Der Ordner ist:
%1</translation>
    </message>
</context>
<context>
    <name>ISmallCameraFrame</name>
    <message>
        <source>Picture-in-picture</source>
        <translation>Bild im Bild</translation>
    </message>
    <message>
        <source>No camera device available</source>
        <translation>Keine Kamera verfügbar</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>Kameras</translation>
    </message>
</context>
<context>
    <name>IThicknessFrame</name>
    <message>
        <source>%1 thickness</source>
        <translation>Stärke %1</translation>
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
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>A time-lapse picture could not be taken; the next one follows in %1 s.</source>
        <translation>Ein Zeitrafferbild konnte nicht aufgenommen werden; das nächste folgt in %1 s.</translation>
    </message>
</context>
<context>
    <name>ITimelapseTimes</name>
    <message>
        <source>Shot</source>
        <translation>Aufgenommen</translation>
    </message>
    <message>
        <source>Next in</source>
        <translation>Nächstes in</translation>
    </message>
    <message>
        <source>Missed %1</source>
        <translation>Verpasst %1</translation>
    </message>
</context>
<context>
    <name>ITimerCaptureControlFrame</name>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Halt</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
</context>
<context>
    <name>ITimerCaptureFrame</name>
    <message>
        <source>Please input integer greater than 0.</source>
        <translation>Bitte eine ganze Zahl größer als 0 eingeben.</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Interval Time</source>
        <translation>Intervall</translation>
    </message>
    <message>
        <source>Capture Pages</source>
        <translation>Anzahl Bilder</translation>
    </message>
</context>
<context>
    <name>IVideoRecordFrame</name>
    <message>
        <source>Full screen</source>
        <translation>Vollbild</translation>
    </message>
    <message>
        <source>自动判断</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Halt</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>No microphone: recording without sound</source>
        <translation>Kein Mikrofon: Aufnahme ohne Ton</translation>
    </message>
    <message>
        <source>Waiting for the desktop&apos;s permission to share the screen...</source>
        <translation>Warten auf die Erlaubnis des Desktops, den Bildschirm freizugeben...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The desktop does not tell where this window is: the whole screen is recorded</source>
        <translation>Der Desktop teilt nicht mit, wo dieses Fenster ist: Der ganze Bildschirm wird aufgenommen</translation>
    </message>
    <message>
        <source>The microphone is gone: no sound is recorded until it is back</source>
        <translation>Das Mikrofon ist weg: bis es zurück ist, wird kein Ton aufgenommen</translation>
    </message>
    <message>
        <source>Saving the last recording...</source>
        <translation>Die letzte Aufnahme wird gespeichert...</translation>
    </message>
</context>
<context>
    <name>IVideoRecordMsgBox</name>
    <message>
        <source>Screen recording</source>
        <translation>Bildschirmaufnahme</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Open directory</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>No program to open it was found. It is at:
%1</source>
        <translation>Kein Programm zum Öffnen gefunden. Es liegt in:
%1</translation>
    </message>
</context>
<context>
    <name>ImageView</name>
    <message>
        <source>Please select a picture first</source>
        <translation>Bitte zuerst ein Bild wählen</translation>
    </message>
</context>
<context>
    <name>MainFrame</name>
    <message>
        <source>The time-lapse video could not be written completely: %1</source>
        <translation>Das Zeitraffervideo konnte nicht vollständig geschrieben werden: %1</translation>
    </message>
    <message>
        <source>The camera is not available, or it is caused by power failure, poor contact and being pulled out. Please check the equipment.</source>
        <translation>Die Kamera ist nicht verfügbar: Stromausfall, Wackelkontakt oder sie wurde abgezogen. Bitte prüfen Sie das Gerät.</translation>
    </message>
    <message>
        <source>Resolution settings failed, please re-select.</source>
        <translation>Die Auflösung konnte nicht gesetzt werden, bitte neu wählen.</translation>
    </message>
    <message>
        <source>No ocumetra device is found! The possible reasons could be: 1. Ocumetra is not connected properly. 2. Driver program is not installed successfully. 3. The device is damaged.</source>
        <translation>Kein Ocumetra-Gerät gefunden! Mögliche Gründe: 1. Ocumetra ist nicht richtig angeschlossen. 2. Der Treiber wurde nicht richtig installiert. 3. Das Gerät ist beschädigt.</translation>
    </message>
    <message>
        <source>Saving, please wait!</source>
        <translation>Wird gespeichert, bitte warten!</translation>
    </message>
    <message>
        <source>Taking the photo failed, please try again.</source>
        <translation>Das Foto ist fehlgeschlagen, bitte noch einmal versuchen.</translation>
    </message>
    <message>
        <source>The picture could not be saved: %1</source>
        <translation>Das Bild konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>Video is saved.</source>
        <translation>Video gespeichert.</translation>
    </message>
    <message>
        <source>Current resolution: 1920*1080</source>
        <translation>Aktuelle Auflösung: 1920*1080</translation>
    </message>
    <message>
        <source>The time-lapse video could not be started.</source>
        <translation>Das Zeitraffervideo konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>No video was written.</source>
        <translation>Es wurde kein Video geschrieben.</translation>
    </message>
    <message>
        <source>There is no picture to copy.</source>
        <translation>Es gibt kein Bild zum Kopieren.</translation>
    </message>
    <message>
        <source>Succeed!</source>
        <translation>Erledigt!</translation>
    </message>
    <message>
        <source>请先选择左边列表文件</source>
        <translation>Bitte zuerst ein Bild in der Liste wählen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>PDF File (*.pdf)</source>
        <translation>PDF-Datei (*.pdf)</translation>
    </message>
    <message>
        <source>Save failed. %1</source>
        <translation>Speichern fehlgeschlagen. %1</translation>
    </message>
    <message>
        <source>Saved, but these pictures could not be read and left empty pages:
%1</source>
        <translation>Gespeichert, aber diese Bilder waren nicht lesbar und ergaben leere Seiten:
%1</translation>
    </message>
    <message>
        <source>Save Successful.</source>
        <translation>Gespeichert.</translation>
    </message>
</context>
</TS>
