<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>IBoardToolBar</name>
    <message>
        <source>Move</source>
        <translation>Sposta</translation>
    </message>
    <message>
        <source>Pencil</source>
        <translation>Matita</translation>
    </message>
    <message>
        <source>Thickness</source>
        <translation>Spessore</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Colore</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>Trasparenza</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Testo</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>Forma</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Gomma</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Cancella tutto</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Home</translation>
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
        <translation>Messa a fuoco ed esposizione</translation>
    </message>
    <message>
        <source>Magnifier</source>
        <translation>Lente</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Risoluzione</translation>
    </message>
    <message>
        <source>Zoom-in</source>
        <translation>Ingrandisci</translation>
    </message>
    <message>
        <source>Zoom-out</source>
        <translation>Riduci</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Ruota</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>Blocca</translation>
    </message>
    <message>
        <source>Color-adjusting</source>
        <translation>Regolazione colore</translation>
    </message>
    <message>
        <source>Self-adapting</source>
        <translation>Adatta</translation>
    </message>
    <message>
        <source>Automatic edging</source>
        <translation>Ritaglio automatico</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Fotocamera</translation>
    </message>
    <message>
        <source>Picture-in-picture</source>
        <translation>Immagine nell&apos;immagine</translation>
    </message>
    <message>
        <source>Split-screen</source>
        <translation>Schermo diviso</translation>
    </message>
    <message>
        <source>Snap</source>
        <translation>Scatta</translation>
    </message>
    <message>
        <source>Photo-mode</source>
        <translation>Modalità foto</translation>
    </message>
    <message>
        <source>Video-Recording</source>
        <translation>Registra video</translation>
    </message>
</context>
<context>
    <name>ICaptureFrame</name>
    <message>
        <source>Back</source>
        <translation>Indietro</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Seleziona</translation>
    </message>
</context>
<context>
    <name>ICaptureModeFrame</name>
    <message>
        <source>拍照提示音</source>
        <translation>Suono dello scatto</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Predefinito</translation>
    </message>
    <message>
        <source>Screen Capture</source>
        <translation>Cattura schermo</translation>
    </message>
    <message>
        <source>Partial screen capture</source>
        <translation>Cattura parziale</translation>
    </message>
    <message>
        <source>Timing capture</source>
        <translation>Scatto a tempo</translation>
    </message>
    <message>
        <source>Time-lapse</source>
        <translation>Time-lapse</translation>
    </message>
    <message>
        <source>Screen capture to clipboard</source>
        <translation>Cattura negli appunti</translation>
    </message>
    <message>
        <source>Black white capture</source>
        <translation>Scatto in bianco e nero</translation>
    </message>
    <message>
        <source>Gray capture</source>
        <translation>Scatto in grigi</translation>
    </message>
</context>
<context>
    <name>IColorFrame</name>
    <message>
        <source>Red</source>
        <translation>Rosso</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Verde</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blu</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Giallo</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Rosa</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Ciano</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Nero</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Bianco</translation>
    </message>
</context>
<context>
    <name>IColorPanel</name>
    <message>
        <source>Color Panel</source>
        <translation>Tavolozza</translation>
    </message>
</context>
<context>
    <name>ICommonTextElementFrame</name>
    <message>
        <source>Lock</source>
        <translation>Blocca</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copia</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Elimina</translation>
    </message>
</context>
<context>
    <name>IConfigureService</name>
    <message>
        <source>The settings could not be saved: %1</source>
        <translation>Impossibile salvare le impostazioni: %1</translation>
    </message>
    <message>
        <source>The settings file was too large to read. It was set aside as %1 and the default settings are used.</source>
        <translation>Il file delle impostazioni era troppo grande per essere letto. È stato messo da parte come %1 e vengono usate le impostazioni predefinite.</translation>
    </message>
    <message>
        <source>The settings file is too large to read; the default settings are used.</source>
        <translation>Il file delle impostazioni è troppo grande per essere letto; vengono usate le impostazioni predefinite.</translation>
    </message>
    <message>
        <source>The settings file is read-only: changes to the settings will not be kept.</source>
        <translation>Il file delle impostazioni è di sola lettura: le modifiche alle impostazioni non verranno mantenute.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read; the default settings are used.</source>
        <translation>Impossibile leggere il file delle impostazioni %1; vengono usate le impostazioni predefinite.</translation>
    </message>
    <message>
        <source>The settings file is too large to read and could not be set aside (%1). The default settings are used, and the file is left as it is: changes to the settings will not be kept until the program is started again.</source>
        <translation>Il file delle impostazioni è troppo grande per essere letto e non è stato possibile metterlo da parte (%1). Vengono usate le impostazioni predefinite e il file resta com&apos;è: le modifiche alle impostazioni non verranno salvate fino al prossimo avvio del programma.</translation>
    </message>
</context>
<context>
    <name>IFFmpegApi</name>
    <message>
        <source>Failed to open acquisition device</source>
        <translation>Impossibile aprire il dispositivo di acquisizione</translation>
    </message>
    <message>
        <source>Initialization output failed</source>
        <translation>Inizializzazione dell&apos;uscita non riuscita</translation>
    </message>
    <message>
        <source>The recording stopped because the screen could no longer be captured. What was recorded is kept in:
%1</source>
        <translation>La registrazione si è interrotta perché non era più possibile catturare lo schermo. Quanto registrato è conservato in:
%1</translation>
    </message>
    <message>
        <source>The recording could not be written completely: %1. What was written is kept in:
%2</source>
        <translation>La registrazione non è stata scritta per intero: %1. La parte scritta si trova in:
%2</translation>
    </message>
    <message>
        <source>Initialization output failed: %1. The recording cannot be saved in:
%2</source>
        <translation>Inizializzazione dell&apos;uscita non riuscita: %1. La registrazione non può essere salvata in:
%2</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: this Wayland desktop offers no screen-sharing service (xdg-desktop-portal). Install the portal of your desktop, or log in with an X11 session to record the screen.</source>
        <translation>Impossibile registrare lo schermo: questo desktop Wayland non offre alcun servizio di condivisione dello schermo (xdg-desktop-portal). Installare il portale del desktop oppure accedere con una sessione X11 per registrare lo schermo.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s request to share the screen was refused or cancelled. Press Start again and allow sharing the screen to record it.</source>
        <translation>Impossibile registrare lo schermo: la richiesta del desktop di condividere lo schermo è stata rifiutata o annullata. Premere di nuovo Avvia e consentire la condivisione dello schermo per registrarlo.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s screen stream (PipeWire) cannot be opened. Install PipeWire and gstreamer1.0-pipewire, or log in with an X11 session to record the screen.</source>
        <translation>Impossibile registrare lo schermo: il flusso dello schermo del desktop (PipeWire) non può essere aperto. Installare PipeWire e gstreamer1.0-pipewire oppure accedere con una sessione X11 per registrare lo schermo.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop shared the screen but sent no picture. Log in with an X11 session to record the screen.</source>
        <translation>Impossibile registrare lo schermo: il desktop ha condiviso lo schermo ma non ha inviato alcuna immagine. Accedere con una sessione X11 per registrare lo schermo.</translation>
    </message>
    <message>
        <source>The recording stopped because the screen could no longer be captured, before any picture was recorded. No file was kept.</source>
        <translation>La registrazione si è interrotta perché non era più possibile catturare lo schermo, prima che fosse registrata alcuna immagine. Nessun file è stato conservato.</translation>
    </message>
    <message>
        <source>No picture of the screen arrived before the recording was stopped. Nothing was recorded, and no file was kept.</source>
        <translation>Nessuna immagine dello schermo è arrivata prima dell&apos;arresto della registrazione. Non è stato registrato nulla e nessun file è stato conservato.</translation>
    </message>
    <message>
        <source>The sound stopped at %1 of the recording.</source>
        <translation>L&apos;audio si è interrotto a %1 della registrazione.</translation>
    </message>
    <message>
        <source>The sound is missing from %1 to %2 of the recording.</source>
        <translation>L&apos;audio manca da %1 a %2 della registrazione.</translation>
    </message>
    <message>
        <source>The recorder could not process the sound.</source>
        <translation>Il registratore non è riuscito a elaborare l&apos;audio.</translation>
    </message>
    <message>
        <source>The microphone was disconnected.</source>
        <translation>Il microfono è stato scollegato.</translation>
    </message>
    <message>
        <source>The microphone sent no sound.</source>
        <translation>Il microfono non ha inviato alcun suono.</translation>
    </message>
    <message>
        <source>The sound system reported an error.</source>
        <translation>Il sistema audio ha segnalato un errore.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop did not answer the request to share the screen in time. Press Start to try again; if it still does not answer, log out and in again, or log in with an X11 session to record the screen.</source>
        <translation>Impossibile registrare lo schermo: il desktop non ha risposto in tempo alla richiesta di condividere lo schermo. Premere Avvia per riprovare; se continua a non rispondere, uscire e rientrare nella sessione oppure accedere con una sessione X11 per registrare lo schermo.</translation>
    </message>
    <message>
        <source>The recording has no sound: no microphone answered.</source>
        <translation>La registrazione non ha audio: nessun microfono ha risposto.</translation>
    </message>
    <message>
        <source>%1 to the end</source>
        <translation>%1 fino alla fine</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 e altri %2</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>The sound is missing in %1 places, %2 in all: %3.</source>
        <translation>L&apos;audio manca in %1 punti, %2 in tutto: %3.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s screen-sharing service (xdg-desktop-portal) failed without asking. Press Start to try again; if it fails again, log out and in again, or log in with an X11 session to record the screen.</source>
        <translation>Impossibile registrare lo schermo: il servizio di condivisione dello schermo del desktop (xdg-desktop-portal) non è riuscito senza chiedere nulla. Premere Avvia per riprovare; se non riesce di nuovo, uscire e rientrare nella sessione oppure accedere con una sessione X11 per registrare lo schermo.</translation>
    </message>
</context>
<context>
    <name>IFigureFrame</name>
    <message>
        <source>Straight line</source>
        <translation>Linea retta</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>Cerchio</translation>
    </message>
    <message>
        <source>Oval</source>
        <translation>Ovale</translation>
    </message>
    <message>
        <source>Triangle</source>
        <translation>Triangolo</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rettangolo</translation>
    </message>
</context>
<context>
    <name>IFocusFrame</name>
    <message>
        <source>Automatic</source>
        <translation>Automatico</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Messa a fuoco</translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation>Esposizione</translation>
    </message>
</context>
<context>
    <name>IImageTansformThread</name>
    <message>
        <source>empty picture</source>
        <translation>immagine vuota</translation>
    </message>
</context>
<context>
    <name>IImgList</name>
    <message>
        <source>Delete</source>
        <translation>Elimina</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Visualizza</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Salva come</translation>
    </message>
    <message>
        <source>The picture could not be saved: %1</source>
        <translation>Impossibile salvare l&apos;immagine: %1</translation>
    </message>
    <message>
        <source>These files could not be deleted:
%1</source>
        <translation>Impossibile eliminare questi file:
%1</translation>
    </message>
    <message>
        <source>PNG File(*.png);;JPEG File(*.jpeg);;TIFF File(*.tiff);;PDF File (*.pdf);;BMP File(*.bmp)</source>
        <translation>File PNG(*.png);;File JPEG(*.jpeg);;File TIFF(*.tiff);;File PDF (*.pdf);;File BMP(*.bmp)</translation>
    </message>
    <message>
        <source>请先选择左边列表文件</source>
        <translation>Seleziona prima un&apos;immagine nell&apos;elenco</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Salva</translation>
    </message>
    <message>
        <source>Save failed: unknown file type &quot;%1&quot;.</source>
        <translation>Salvataggio non riuscito: tipo di file sconosciuto «%1».</translation>
    </message>
    <message>
        <source>These files already exist:
%1
Replace them?</source>
        <translation>Questi file esistono già:
%1
Sostituirli?</translation>
    </message>
    <message>
        <source>Save Successful.</source>
        <translation>Salvataggio riuscito.</translation>
    </message>
    <message>
        <source>Save failed for:
%1</source>
        <translation>Salvataggio non riuscito per:
%1</translation>
    </message>
    <message>
        <source>Not replaced:
%1</source>
        <translation>Non sostituiti:
%1</translation>
    </message>
    <message>
        <source>Save failed: %1</source>
        <translation>Salvataggio non riuscito: %1</translation>
    </message>
    <message>
        <source>Saved, but these pictures could not be read:
%1</source>
        <translation>Salvato, ma queste immagini non sono leggibili:
%1</translation>
    </message>
    <message>
        <source>No program to view the picture was found. It is saved at:
%1</source>
        <translation>Nessun programma per visualizzare l&apos;immagine. È salvata in:
%1</translation>
    </message>
</context>
<context>
    <name>IImgListThumbnail</name>
    <message>
        <source>Not a readable picture.</source>
        <translation>Immagine non leggibile.</translation>
    </message>
    <message>
        <source>The picture is too large (%1 x %2).</source>
        <translation>L&apos;immagine è troppo grande (%1 x %2).</translation>
    </message>
</context>
<context>
    <name>IImgListWidget</name>
    <message>
        <source>Gallery</source>
        <translation>Galleria</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Seleziona tutto</translation>
    </message>
    <message>
        <source>Deselect</source>
        <translation>Deseleziona</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>Importa file</translation>
    </message>
    <message>
        <source>Not imported:
%1</source>
        <translation>Non importati:
%1</translation>
    </message>
    <message>
        <source>Imported, but not complete (the file is damaged or cut off):
%1</source>
        <translation>Importati, ma incompleti (il file è danneggiato o troncato):
%1</translation>
    </message>
</context>
<context>
    <name>IMacosPermissionBox</name>
    <message>
        <source>The application requires microphone access to record the audio.</source>
        <translation>Il programma richiede l&apos;accesso al microfono per registrare l&apos;audio.</translation>
    </message>
    <message>
        <source>The application requires Screen Recording access to record the video.</source>
        <translation>Il programma richiede il permesso di registrazione dello schermo per registrare il video.</translation>
    </message>
    <message>
        <source>Microphone Preferences...</source>
        <translation>Preferenze microfono...</translation>
    </message>
    <message>
        <source>Screen Recording Preferences...</source>
        <translation>Preferenze registrazione schermo...</translation>
    </message>
</context>
<context>
    <name>IMagnifierFrame</name>
    <message>
        <source>Magnifier</source>
        <translation>Lente</translation>
    </message>
</context>
<context>
    <name>IMainTitleWidget</name>
    <message>
        <source>Cameras</source>
        <translation>Fotocamere</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Riduci a icona</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Ingrandisci</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Ripristina</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
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
        <translation>Annulla</translation>
    </message>
</context>
<context>
    <name>IParameterFrame</name>
    <message>
        <source>Default</source>
        <translation>Predefinito</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Contrast </source>
        <translation>Contrasto </translation>
    </message>
    <message>
        <source>Brightness </source>
        <translation>Luminosità </translation>
    </message>
    <message>
        <source>Saturation </source>
        <translation>Saturazione </translation>
    </message>
</context>
<context>
    <name>IPdfWriter</name>
    <message>
        <source>No picture selected.</source>
        <translation>Nessuna immagine selezionata.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Impossibile scrivere %1: %2</translation>
    </message>
</context>
<context>
    <name>IPictureCompareFrame</name>
    <message>
        <source>Please select a picture first</source>
        <translation>Seleziona prima un&apos;immagine</translation>
    </message>
</context>
<context>
    <name>IRecordVideo</name>
    <message>
        <source>The ffmpeg program is not installed.</source>
        <translation>Il programma ffmpeg non è installato.</translation>
    </message>
    <message>
        <source>The recording cannot be written to its cache folder.</source>
        <translation>Impossibile scrivere la registrazione nella sua cartella cache.</translation>
    </message>
    <message>
        <source>The screen recorder could not be started.</source>
        <translation>Impossibile avviare la registrazione dello schermo.</translation>
    </message>
    <message>
        <source>The recording could not be saved.</source>
        <translation>Impossibile salvare la registrazione.</translation>
    </message>
</context>
<context>
    <name>IRightToolBar</name>
    <message>
        <source>Board</source>
        <translation>Lavagna</translation>
    </message>
    <message>
        <source>Magnifier</source>
        <translation>Lente</translation>
    </message>
    <message>
        <source>Zoom-in</source>
        <translation>Ingrandisci</translation>
    </message>
    <message>
        <source>Zoom-out</source>
        <translation>Riduci</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Ruota</translation>
    </message>
    <message>
        <source>Self-adapting</source>
        <translation>Adatta</translation>
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
        <translation>Immagine</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Salva</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Formato</translation>
    </message>
    <message>
        <source>Software:</source>
        <translation>Programma:</translation>
    </message>
    <message>
        <source>Language switch:</source>
        <translation>Lingua:</translation>
    </message>
    <message>
        <source>Software Version:</source>
        <translation>Versione:</translation>
    </message>
    <message>
        <source>Restart the software, to activate the language setting.</source>
        <translation>Riavvia il programma per applicare la lingua.</translation>
    </message>
    <message>
        <source>View video file path</source>
        <translation>Mostra cartella</translation>
    </message>
    <message>
        <source>View picture file path</source>
        <translation>Mostra cartella</translation>
    </message>
    <message>
        <source>Setup video file path</source>
        <translation>Scegli cartella</translation>
    </message>
    <message>
        <source>Setup picture file path</source>
        <translation>Scegli cartella</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Apri</translation>
    </message>
    <message>
        <source>Confirm modification?</source>
        <translation>Confermare la modifica?</translation>
    </message>
    <message>
        <source>No program to show the folder was found. The folder is:
%1</source>
        <translation>Nessun programma per mostrare la cartella. La cartella è:
%1</translation>
    </message>
</context>
<context>
    <name>ISmallCameraFrame</name>
    <message>
        <source>Picture-in-picture</source>
        <translation>Immagine nell&apos;immagine</translation>
    </message>
    <message>
        <source>No camera device available</source>
        <translation>Nessuna fotocamera disponibile</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>Fotocamere</translation>
    </message>
</context>
<context>
    <name>IThicknessFrame</name>
    <message>
        <source>%1 thickness</source>
        <translation>Spessore %1</translation>
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
        <translation>Avvia</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Ferma</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Riprendi</translation>
    </message>
    <message>
        <source>A time-lapse picture could not be taken; the next one follows in %1 s.</source>
        <translation>Impossibile scattare una foto del time-lapse; la prossima tra %1 s.</translation>
    </message>
</context>
<context>
    <name>ITimelapseTimes</name>
    <message>
        <source>Shot</source>
        <translation>Scattate</translation>
    </message>
    <message>
        <source>Next in</source>
        <translation>Prossima tra</translation>
    </message>
    <message>
        <source>Missed %1</source>
        <translation>Perse %1</translation>
    </message>
</context>
<context>
    <name>ITimerCaptureControlFrame</name>
    <message>
        <source>Start</source>
        <translation>Avvia</translation>
    </message>
    <message>
        <source>Halt</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Ferma</translation>
    </message>
</context>
<context>
    <name>ITimerCaptureFrame</name>
    <message>
        <source>Please input integer greater than 0.</source>
        <translation>Inserisci un numero intero maggiore di 0.</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Conferma</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Interval Time</source>
        <translation>Intervallo</translation>
    </message>
    <message>
        <source>Capture Pages</source>
        <translation>Numero di scatti</translation>
    </message>
</context>
<context>
    <name>IVideoRecordFrame</name>
    <message>
        <source>Full screen</source>
        <translation>Schermo intero</translation>
    </message>
    <message>
        <source>自动判断</source>
        <translation>Automatico</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Avvia</translation>
    </message>
    <message>
        <source>Halt</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Ferma</translation>
    </message>
    <message>
        <source>No microphone: recording without sound</source>
        <translation>Nessun microfono: registrazione senza audio</translation>
    </message>
    <message>
        <source>Waiting for the desktop&apos;s permission to share the screen...</source>
        <translation>In attesa dell&apos;autorizzazione del desktop a condividere lo schermo...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>The desktop does not tell where this window is: the whole screen is recorded</source>
        <translation>Il desktop non indica dove si trova questa finestra: viene registrato l&apos;intero schermo</translation>
    </message>
    <message>
        <source>The microphone is gone: no sound is recorded until it is back</source>
        <translation>Il microfono non c&apos;è: nessun audio viene registrato finché non torna</translation>
    </message>
    <message>
        <source>Saving the last recording...</source>
        <translation>Salvataggio dell&apos;ultima registrazione...</translation>
    </message>
</context>
<context>
    <name>IVideoRecordMsgBox</name>
    <message>
        <source>Screen recording</source>
        <translation>Registrazione schermo</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Apri file</translation>
    </message>
    <message>
        <source>Open directory</source>
        <translation>Apri cartella</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>No program to open it was found. It is at:
%1</source>
        <translation>Nessun programma per aprirlo. Si trova in:
%1</translation>
    </message>
</context>
<context>
    <name>ImageView</name>
    <message>
        <source>Please select a picture first</source>
        <translation>Seleziona prima un&apos;immagine</translation>
    </message>
</context>
<context>
    <name>MainFrame</name>
    <message>
        <source>The time-lapse video could not be written completely: %1</source>
        <translation>Il video time-lapse non è stato scritto per intero: %1</translation>
    </message>
    <message>
        <source>The camera is not available, or it is caused by power failure, poor contact and being pulled out. Please check the equipment.</source>
        <translation>La fotocamera non è disponibile: mancanza di corrente, contatto difettoso o cavo scollegato. Controlla il dispositivo.</translation>
    </message>
    <message>
        <source>Resolution settings failed, please re-select.</source>
        <translation>Impostazione della risoluzione non riuscita, scegli di nuovo.</translation>
    </message>
    <message>
        <source>No ocumetra device is found! The possible reasons could be: 1. Ocumetra is not connected properly. 2. Driver program is not installed successfully. 3. The device is damaged.</source>
        <translation>Nessun dispositivo Ocumetra trovato! Possibili cause: 1. Ocumetra non è collegato correttamente. 2. Il driver non è stato installato correttamente. 3. Il dispositivo è danneggiato.</translation>
    </message>
    <message>
        <source>Saving, please wait!</source>
        <translation>Salvataggio in corso, attendere!</translation>
    </message>
    <message>
        <source>Taking the photo failed, please try again.</source>
        <translation>Scatto non riuscito, riprova.</translation>
    </message>
    <message>
        <source>The picture could not be saved: %1</source>
        <translation>Impossibile salvare l&apos;immagine: %1</translation>
    </message>
    <message>
        <source>Video is saved.</source>
        <translation>Video salvato.</translation>
    </message>
    <message>
        <source>Current resolution: 1920*1080</source>
        <translation>Risoluzione attuale: 1920*1080</translation>
    </message>
    <message>
        <source>The time-lapse video could not be started.</source>
        <translation>Impossibile avviare il video time-lapse.</translation>
    </message>
    <message>
        <source>No video was written.</source>
        <translation>Nessun video è stato scritto.</translation>
    </message>
    <message>
        <source>There is no picture to copy.</source>
        <translation>Nessuna immagine da copiare.</translation>
    </message>
    <message>
        <source>Succeed!</source>
        <translation>Fatto!</translation>
    </message>
    <message>
        <source>请先选择左边列表文件</source>
        <translation>Seleziona prima un&apos;immagine nell&apos;elenco</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Salva</translation>
    </message>
    <message>
        <source>PDF File (*.pdf)</source>
        <translation>File PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Save failed. %1</source>
        <translation>Salvataggio non riuscito. %1</translation>
    </message>
    <message>
        <source>Saved, but these pictures could not be read and left empty pages:
%1</source>
        <translation>Salvato, ma queste immagini non sono leggibili e hanno lasciato pagine vuote:
%1</translation>
    </message>
    <message>
        <source>Save Successful.</source>
        <translation>Salvataggio riuscito.</translation>
    </message>
</context>
</TS>
