<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>IBoardToolBar</name>
    <message>
        <source>Move</source>
        <translation>Mover</translation>
    </message>
    <message>
        <source>Pencil</source>
        <translation>Lápiz</translation>
    </message>
    <message>
        <source>Thickness</source>
        <translation>Grosor</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>Transparencia</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texto</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>Forma</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Borrador</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Limpiar</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>Escritorio</translation>
    </message>
</context>
<context>
    <name>ICameraToolBar</name>
    <message>
        <source>Focus and Exposure</source>
        <translation>Enfoque y exposición</translation>
    </message>
    <message>
        <source>Magnifier</source>
        <translation>Lupa</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Resolución</translation>
    </message>
    <message>
        <source>Zoom-in</source>
        <translation>Acercar</translation>
    </message>
    <message>
        <source>Zoom-out</source>
        <translation>Alejar</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Girar</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>Congelar</translation>
    </message>
    <message>
        <source>Color-adjusting</source>
        <translation>Ajuste de color</translation>
    </message>
    <message>
        <source>Self-adapting</source>
        <translation>Ajustar</translation>
    </message>
    <message>
        <source>Automatic edging</source>
        <translation>Recorte automático</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Cámara</translation>
    </message>
    <message>
        <source>Picture-in-picture</source>
        <translation>Imagen en imagen</translation>
    </message>
    <message>
        <source>Split-screen</source>
        <translation>Pantalla dividida</translation>
    </message>
    <message>
        <source>Snap</source>
        <translation>Foto</translation>
    </message>
    <message>
        <source>Photo-mode</source>
        <translation>Modo de foto</translation>
    </message>
    <message>
        <source>Video-Recording</source>
        <translation>Grabar vídeo</translation>
    </message>
</context>
<context>
    <name>ICaptureFrame</name>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Seleccionar</translation>
    </message>
</context>
<context>
    <name>ICaptureModeFrame</name>
    <message>
        <source>拍照提示音</source>
        <translation>Sonido del obturador</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Predeterminado</translation>
    </message>
    <message>
        <source>Screen Capture</source>
        <translation>Captura de pantalla</translation>
    </message>
    <message>
        <source>Partial screen capture</source>
        <translation>Captura parcial</translation>
    </message>
    <message>
        <source>Timing capture</source>
        <translation>Captura temporizada</translation>
    </message>
    <message>
        <source>Time-lapse</source>
        <translation>Time-lapse</translation>
    </message>
    <message>
        <source>Screen capture to clipboard</source>
        <translation>Captura al portapapeles</translation>
    </message>
    <message>
        <source>Black white capture</source>
        <translation>Captura en blanco y negro</translation>
    </message>
    <message>
        <source>Gray capture</source>
        <translation>Captura en grises</translation>
    </message>
</context>
<context>
    <name>IColorFrame</name>
    <message>
        <source>Red</source>
        <translation>Rojo</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Verde</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Azul</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Amarillo</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Rosa</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cian</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Negro</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Blanco</translation>
    </message>
</context>
<context>
    <name>IColorPanel</name>
    <message>
        <source>Color Panel</source>
        <translation>Paleta de colores</translation>
    </message>
</context>
<context>
    <name>ICommonTextElementFrame</name>
    <message>
        <source>Lock</source>
        <translation>Bloquear</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
</context>
<context>
    <name>IConfigureService</name>
    <message>
        <source>The settings could not be saved: %1</source>
        <translation>No se pudo guardar la configuración: %1</translation>
    </message>
    <message>
        <source>The settings file was too large to read. It was set aside as %1 and the default settings are used.</source>
        <translation>El archivo de configuración era demasiado grande para leerlo. Se ha apartado como %1 y se usa la configuración predeterminada.</translation>
    </message>
    <message>
        <source>The settings file is too large to read; the default settings are used.</source>
        <translation>El archivo de configuración es demasiado grande para leerlo; se usa la configuración predeterminada.</translation>
    </message>
    <message>
        <source>The settings file is read-only: changes to the settings will not be kept.</source>
        <translation>El archivo de configuración es de solo lectura: los cambios en la configuración no se conservarán.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read; the default settings are used.</source>
        <translation>No se puede leer el archivo de configuración %1; se usa la configuración predeterminada.</translation>
    </message>
    <message>
        <source>The settings file is too large to read and could not be set aside (%1). The default settings are used, and the file is left as it is: changes to the settings will not be kept until the program is started again.</source>
        <translation>El archivo de configuración es demasiado grande para leerlo y no se ha podido apartar (%1). Se usa la configuración predeterminada y el archivo se deja como está: los cambios en la configuración no se guardarán hasta que se vuelva a iniciar el programa.</translation>
    </message>
</context>
<context>
    <name>IFFmpegApi</name>
    <message>
        <source>Failed to open acquisition device</source>
        <translation>No se pudo abrir el dispositivo de captura</translation>
    </message>
    <message>
        <source>Initialization output failed</source>
        <translation>Error al inicializar la salida</translation>
    </message>
    <message>
        <source>The recording stopped because the screen could no longer be captured. What was recorded is kept in:
%1</source>
        <translation>La grabación se detuvo porque ya no se pudo capturar la pantalla. Lo grabado se conserva en:
%1</translation>
    </message>
    <message>
        <source>The recording could not be written completely: %1. What was written is kept in:
%2</source>
        <translation>La grabación no se pudo escribir completa: %1. Lo escrito se conserva en:
%2</translation>
    </message>
    <message>
        <source>Initialization output failed: %1. The recording cannot be saved in:
%2</source>
        <translation>Error al inicializar la salida: %1. La grabación no se puede guardar en:
%2</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: this Wayland desktop offers no screen-sharing service (xdg-desktop-portal). Install the portal of your desktop, or log in with an X11 session to record the screen.</source>
        <translation>No se puede grabar la pantalla: este escritorio Wayland no ofrece ningún servicio para compartir la pantalla (xdg-desktop-portal). Instale el portal de su escritorio o inicie una sesión X11 para grabar la pantalla.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s request to share the screen was refused or cancelled. Press Start again and allow sharing the screen to record it.</source>
        <translation>No se puede grabar la pantalla: la solicitud del escritorio para compartir la pantalla se rechazó o se canceló. Pulse Iniciar de nuevo y permita compartir la pantalla para grabarla.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s screen stream (PipeWire) cannot be opened. Install PipeWire and gstreamer1.0-pipewire, or log in with an X11 session to record the screen.</source>
        <translation>No se puede grabar la pantalla: no se puede abrir el flujo de pantalla del escritorio (PipeWire). Instale PipeWire y gstreamer1.0-pipewire o inicie una sesión X11 para grabar la pantalla.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop shared the screen but sent no picture. Log in with an X11 session to record the screen.</source>
        <translation>No se puede grabar la pantalla: el escritorio compartió la pantalla pero no envió ninguna imagen. Inicie una sesión X11 para grabar la pantalla.</translation>
    </message>
    <message>
        <source>The recording stopped because the screen could no longer be captured, before any picture was recorded. No file was kept.</source>
        <translation>La grabación se detuvo porque ya no se podía capturar la pantalla, antes de grabar ninguna imagen. No se ha guardado ningún archivo.</translation>
    </message>
    <message>
        <source>No picture of the screen arrived before the recording was stopped. Nothing was recorded, and no file was kept.</source>
        <translation>No llegó ninguna imagen de la pantalla antes de detener la grabación. No se grabó nada y no se ha guardado ningún archivo.</translation>
    </message>
    <message>
        <source>The sound stopped at %1 of the recording.</source>
        <translation>El sonido se detuvo en %1 de la grabación.</translation>
    </message>
    <message>
        <source>The sound is missing from %1 to %2 of the recording.</source>
        <translation>Falta el sonido desde %1 hasta %2 de la grabación.</translation>
    </message>
    <message>
        <source>The recorder could not process the sound.</source>
        <translation>El grabador no pudo procesar el sonido.</translation>
    </message>
    <message>
        <source>The microphone was disconnected.</source>
        <translation>El micrófono se desconectó.</translation>
    </message>
    <message>
        <source>The microphone sent no sound.</source>
        <translation>El micrófono no envió sonido.</translation>
    </message>
    <message>
        <source>The sound system reported an error.</source>
        <translation>El sistema de sonido informó de un error.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop did not answer the request to share the screen in time. Press Start to try again; if it still does not answer, log out and in again, or log in with an X11 session to record the screen.</source>
        <translation>No se puede grabar la pantalla: el escritorio no respondió a tiempo a la solicitud para compartir la pantalla. Pulse Iniciar para intentarlo de nuevo; si sigue sin responder, cierre la sesión y vuelva a iniciarla, o inicie una sesión X11 para grabar la pantalla.</translation>
    </message>
    <message>
        <source>The recording has no sound: no microphone answered.</source>
        <translation>La grabación no tiene sonido: ningún micrófono respondió.</translation>
    </message>
    <message>
        <source>%1 to the end</source>
        <translation>%1 hasta el final</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 y %2 más</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>The sound is missing in %1 places, %2 in all: %3.</source>
        <translation>Falta el sonido en %1 lugares, %2 en total: %3.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s screen-sharing service (xdg-desktop-portal) failed without asking. Press Start to try again; if it fails again, log out and in again, or log in with an X11 session to record the screen.</source>
        <translation>No se puede grabar la pantalla: el servicio para compartir la pantalla del escritorio (xdg-desktop-portal) falló sin preguntar. Pulse Iniciar para intentarlo de nuevo; si vuelve a fallar, cierre la sesión y vuelva a iniciarla, o inicie una sesión X11 para grabar la pantalla.</translation>
    </message>
</context>
<context>
    <name>IFigureFrame</name>
    <message>
        <source>Straight line</source>
        <translation>Línea recta</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>Círculo</translation>
    </message>
    <message>
        <source>Oval</source>
        <translation>Óvalo</translation>
    </message>
    <message>
        <source>Triangle</source>
        <translation>Triángulo</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rectángulo</translation>
    </message>
</context>
<context>
    <name>IFocusFrame</name>
    <message>
        <source>Automatic</source>
        <translation>Automático</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Enfoque</translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation>Exposición</translation>
    </message>
</context>
<context>
    <name>IImageTansformThread</name>
    <message>
        <source>empty picture</source>
        <translation>imagen vacía</translation>
    </message>
</context>
<context>
    <name>IImgList</name>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ver</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Guardar como</translation>
    </message>
    <message>
        <source>The picture could not be saved: %1</source>
        <translation>No se pudo guardar la imagen: %1</translation>
    </message>
    <message>
        <source>These files could not be deleted:
%1</source>
        <translation>No se pudieron eliminar estos archivos:
%1</translation>
    </message>
    <message>
        <source>PNG File(*.png);;JPEG File(*.jpeg);;TIFF File(*.tiff);;PDF File (*.pdf);;BMP File(*.bmp)</source>
        <translation>Archivo PNG(*.png);;Archivo JPEG(*.jpeg);;Archivo TIFF(*.tiff);;Archivo PDF (*.pdf);;Archivo BMP(*.bmp)</translation>
    </message>
    <message>
        <source>请先选择左边列表文件</source>
        <translation>Seleccione primero una imagen de la lista</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Save failed: unknown file type &quot;%1&quot;.</source>
        <translation>Error al guardar: tipo de archivo desconocido «%1».</translation>
    </message>
    <message>
        <source>These files already exist:
%1
Replace them?</source>
        <translation>Estos archivos ya existen:
%1
¿Reemplazarlos?</translation>
    </message>
    <message>
        <source>Save Successful.</source>
        <translation>Guardado correctamente.</translation>
    </message>
    <message>
        <source>Save failed for:
%1</source>
        <translation>Error al guardar:
%1</translation>
    </message>
    <message>
        <source>Not replaced:
%1</source>
        <translation>No reemplazados:
%1</translation>
    </message>
    <message>
        <source>Save failed: %1</source>
        <translation>Error al guardar: %1</translation>
    </message>
    <message>
        <source>Saved, but these pictures could not be read:
%1</source>
        <translation>Guardado, pero no se pudieron leer estas imágenes:
%1</translation>
    </message>
    <message>
        <source>No program to view the picture was found. It is saved at:
%1</source>
        <translation>No se encontró ningún programa para ver la imagen. Está guardada en:
%1</translation>
    </message>
</context>
<context>
    <name>IImgListThumbnail</name>
    <message>
        <source>Not a readable picture.</source>
        <translation>No es una imagen legible.</translation>
    </message>
    <message>
        <source>The picture is too large (%1 x %2).</source>
        <translation>La imagen es demasiado grande (%1 x %2).</translation>
    </message>
</context>
<context>
    <name>IImgListWidget</name>
    <message>
        <source>Gallery</source>
        <translation>Galería</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Seleccionar todo</translation>
    </message>
    <message>
        <source>Deselect</source>
        <translation>Deseleccionar</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>Importar archivo</translation>
    </message>
    <message>
        <source>Not imported:
%1</source>
        <translation>No importados:
%1</translation>
    </message>
    <message>
        <source>Imported, but not complete (the file is damaged or cut off):
%1</source>
        <translation>Importados, pero incompletos (el archivo está dañado o cortado):
%1</translation>
    </message>
</context>
<context>
    <name>IMacosPermissionBox</name>
    <message>
        <source>The application requires microphone access to record the audio.</source>
        <translation>La aplicación necesita acceso al micrófono para grabar el sonido.</translation>
    </message>
    <message>
        <source>The application requires Screen Recording access to record the video.</source>
        <translation>La aplicación necesita permiso de grabación de pantalla para grabar el vídeo.</translation>
    </message>
    <message>
        <source>Microphone Preferences...</source>
        <translation>Preferencias del micrófono...</translation>
    </message>
    <message>
        <source>Screen Recording Preferences...</source>
        <translation>Preferencias de grabación...</translation>
    </message>
</context>
<context>
    <name>IMagnifierFrame</name>
    <message>
        <source>Magnifier</source>
        <translation>Lupa</translation>
    </message>
</context>
<context>
    <name>IMainTitleWidget</name>
    <message>
        <source>Cameras</source>
        <translation>Cámaras</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimizar</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximizar</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restaurar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>IMsgBox</name>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>IParameterFrame</name>
    <message>
        <source>Default</source>
        <translation>Predeterminado</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Contrast </source>
        <translation>Contraste </translation>
    </message>
    <message>
        <source>Brightness </source>
        <translation>Brillo </translation>
    </message>
    <message>
        <source>Saturation </source>
        <translation>Saturación </translation>
    </message>
</context>
<context>
    <name>IPdfWriter</name>
    <message>
        <source>No picture selected.</source>
        <translation>No hay ninguna imagen seleccionada.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>No se puede escribir %1: %2</translation>
    </message>
</context>
<context>
    <name>IPictureCompareFrame</name>
    <message>
        <source>Please select a picture first</source>
        <translation>Seleccione primero una imagen</translation>
    </message>
</context>
<context>
    <name>IRecordVideo</name>
    <message>
        <source>The ffmpeg program is not installed.</source>
        <translation>El programa ffmpeg no está instalado.</translation>
    </message>
    <message>
        <source>The recording cannot be written to its cache folder.</source>
        <translation>La grabación no se puede escribir en su carpeta de caché.</translation>
    </message>
    <message>
        <source>The screen recorder could not be started.</source>
        <translation>No se pudo iniciar la grabación de pantalla.</translation>
    </message>
    <message>
        <source>The recording could not be saved.</source>
        <translation>No se pudo guardar la grabación.</translation>
    </message>
</context>
<context>
    <name>IRightToolBar</name>
    <message>
        <source>Board</source>
        <translation>Pizarra</translation>
    </message>
    <message>
        <source>Magnifier</source>
        <translation>Lupa</translation>
    </message>
    <message>
        <source>Zoom-in</source>
        <translation>Acercar</translation>
    </message>
    <message>
        <source>Zoom-out</source>
        <translation>Alejar</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Girar</translation>
    </message>
    <message>
        <source>Self-adapting</source>
        <translation>Ajustar</translation>
    </message>
</context>
<context>
    <name>ISettingFrame</name>
    <message>
        <source>Video</source>
        <translation>Vídeo</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Imagen</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Formato</translation>
    </message>
    <message>
        <source>Software:</source>
        <translation>Programa:</translation>
    </message>
    <message>
        <source>Language switch:</source>
        <translation>Idioma:</translation>
    </message>
    <message>
        <source>Software Version:</source>
        <translation>Versión:</translation>
    </message>
    <message>
        <source>Restart the software, to activate the language setting.</source>
        <translation>Reinicie el programa para aplicar el idioma.</translation>
    </message>
    <message>
        <source>View video file path</source>
        <translation>Ver carpeta</translation>
    </message>
    <message>
        <source>View picture file path</source>
        <translation>Ver carpeta</translation>
    </message>
    <message>
        <source>Setup video file path</source>
        <translation>Elegir carpeta</translation>
    </message>
    <message>
        <source>Setup picture file path</source>
        <translation>Elegir carpeta</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Confirm modification?</source>
        <translation>¿Confirmar el cambio?</translation>
    </message>
    <message>
        <source>No program to show the folder was found. The folder is:
%1</source>
        <translation>No se encontró ningún programa para mostrar la carpeta. La carpeta es:
%1</translation>
    </message>
</context>
<context>
    <name>ISmallCameraFrame</name>
    <message>
        <source>Picture-in-picture</source>
        <translation>Imagen en imagen</translation>
    </message>
    <message>
        <source>No camera device available</source>
        <translation>No hay ninguna cámara disponible</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>Cámaras</translation>
    </message>
</context>
<context>
    <name>IThicknessFrame</name>
    <message>
        <source>%1 thickness</source>
        <translation>Grosor %1</translation>
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
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reanudar</translation>
    </message>
    <message>
        <source>A time-lapse picture could not be taken; the next one follows in %1 s.</source>
        <translation>No se pudo tomar una foto del time-lapse; la siguiente llega en %1 s.</translation>
    </message>
</context>
<context>
    <name>ITimelapseTimes</name>
    <message>
        <source>Shot</source>
        <translation>Tomadas</translation>
    </message>
    <message>
        <source>Next in</source>
        <translation>Siguiente en</translation>
    </message>
    <message>
        <source>Missed %1</source>
        <translation>Perdidas %1</translation>
    </message>
</context>
<context>
    <name>ITimerCaptureControlFrame</name>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Halt</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
</context>
<context>
    <name>ITimerCaptureFrame</name>
    <message>
        <source>Please input integer greater than 0.</source>
        <translation>Introduzca un número entero mayor que 0.</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Interval Time</source>
        <translation>Intervalo</translation>
    </message>
    <message>
        <source>Capture Pages</source>
        <translation>Número de fotos</translation>
    </message>
</context>
<context>
    <name>IVideoRecordFrame</name>
    <message>
        <source>Full screen</source>
        <translation>Pantalla completa</translation>
    </message>
    <message>
        <source>自动判断</source>
        <translation>Automático</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Halt</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>No microphone: recording without sound</source>
        <translation>Sin micrófono: grabación sin sonido</translation>
    </message>
    <message>
        <source>Waiting for the desktop&apos;s permission to share the screen...</source>
        <translation>Esperando el permiso del escritorio para compartir la pantalla...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>The desktop does not tell where this window is: the whole screen is recorded</source>
        <translation>El escritorio no indica dónde está esta ventana: se graba toda la pantalla</translation>
    </message>
    <message>
        <source>The microphone is gone: no sound is recorded until it is back</source>
        <translation>El micrófono no está: no se graba sonido hasta que vuelva</translation>
    </message>
    <message>
        <source>Saving the last recording...</source>
        <translation>Guardando la última grabación...</translation>
    </message>
</context>
<context>
    <name>IVideoRecordMsgBox</name>
    <message>
        <source>Screen recording</source>
        <translation>Grabación de pantalla</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Abrir archivo</translation>
    </message>
    <message>
        <source>Open directory</source>
        <translation>Abrir carpeta</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>No program to open it was found. It is at:
%1</source>
        <translation>No se encontró ningún programa para abrirlo. Está en:
%1</translation>
    </message>
</context>
<context>
    <name>ImageView</name>
    <message>
        <source>Please select a picture first</source>
        <translation>Seleccione primero una imagen</translation>
    </message>
</context>
<context>
    <name>MainFrame</name>
    <message>
        <source>The time-lapse video could not be written completely: %1</source>
        <translation>El vídeo time-lapse no se pudo escribir completo: %1</translation>
    </message>
    <message>
        <source>The camera is not available, or it is caused by power failure, poor contact and being pulled out. Please check the equipment.</source>
        <translation>La cámara no está disponible: puede haberse quedado sin corriente, tener un mal contacto o estar desconectada. Compruebe el equipo.</translation>
    </message>
    <message>
        <source>Resolution settings failed, please re-select.</source>
        <translation>No se pudo cambiar la resolución; elija otra vez.</translation>
    </message>
    <message>
        <source>No ocumetra device is found! The possible reasons could be: 1. Ocumetra is not connected properly. 2. Driver program is not installed successfully. 3. The device is damaged.</source>
        <translation>¡No se encontró ningún dispositivo Ocumetra! Posibles causas: 1. Ocumetra no está bien conectado. 2. El controlador no se instaló correctamente. 3. El dispositivo está dañado.</translation>
    </message>
    <message>
        <source>Saving, please wait!</source>
        <translation>Guardando, espere...</translation>
    </message>
    <message>
        <source>Taking the photo failed, please try again.</source>
        <translation>No se pudo tomar la foto; inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>The picture could not be saved: %1</source>
        <translation>No se pudo guardar la imagen: %1</translation>
    </message>
    <message>
        <source>Video is saved.</source>
        <translation>Vídeo guardado.</translation>
    </message>
    <message>
        <source>Current resolution: 1920*1080</source>
        <translation>Resolución actual: 1920*1080</translation>
    </message>
    <message>
        <source>The time-lapse video could not be started.</source>
        <translation>No se pudo iniciar el vídeo time-lapse.</translation>
    </message>
    <message>
        <source>No video was written.</source>
        <translation>No se escribió ningún vídeo.</translation>
    </message>
    <message>
        <source>There is no picture to copy.</source>
        <translation>No hay ninguna imagen que copiar.</translation>
    </message>
    <message>
        <source>Succeed!</source>
        <translation>¡Hecho!</translation>
    </message>
    <message>
        <source>请先选择左边列表文件</source>
        <translation>Seleccione primero una imagen de la lista</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>PDF File (*.pdf)</source>
        <translation>Archivo PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Save failed. %1</source>
        <translation>Error al guardar. %1</translation>
    </message>
    <message>
        <source>Saved, but these pictures could not be read and left empty pages:
%1</source>
        <translation>Guardado, pero estas imágenes no se pudieron leer y dejaron páginas vacías:
%1</translation>
    </message>
    <message>
        <source>Save Successful.</source>
        <translation>Guardado correctamente.</translation>
    </message>
</context>
</TS>
