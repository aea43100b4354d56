<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>IBoardToolBar</name>
    <message>
        <source>Move</source>
        <translation>Déplacer</translation>
    </message>
    <message>
        <source>Pencil</source>
        <translation>Crayon</translation>
    </message>
    <message>
        <source>Thickness</source>
        <translation>Épaisseur</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>Transparence</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>Forme</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Gomme</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Accueil</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>Bureau</translation>
    </message>
</context>
<context>
    <name>ICameraToolBar</name>
    <message>
        <source>Focus and Exposure</source>
        <translation>Mise au point et exposition</translation>
    </message>
    <message>
        <source>Magnifier</source>
        <translation>Loupe</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Résolution</translation>
    </message>
    <message>
        <source>Zoom-in</source>
        <translation>Agrandir</translation>
    </message>
    <message>
        <source>Zoom-out</source>
        <translation>Réduire</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Pivoter</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>Figer</translation>
    </message>
    <message>
        <source>Color-adjusting</source>
        <translation>Réglage des couleurs</translation>
    </message>
    <message>
        <source>Self-adapting</source>
        <translation>Ajuster</translation>
    </message>
    <message>
        <source>Automatic edging</source>
        <translation>Recadrage auto</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Caméra</translation>
    </message>
    <message>
        <source>Picture-in-picture</source>
        <translation>Image dans l&apos;image</translation>
    </message>
    <message>
        <source>Split-screen</source>
        <translation>Écran partagé</translation>
    </message>
    <message>
        <source>Snap</source>
        <translation>Photo</translation>
    </message>
    <message>
        <source>Photo-mode</source>
        <translation>Mode photo</translation>
    </message>
    <message>
        <source>Video-Recording</source>
        <translation>Enregistrer une vidéo</translation>
    </message>
</context>
<context>
    <name>ICaptureFrame</name>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Sélectionner</translation>
    </message>
</context>
<context>
    <name>ICaptureModeFrame</name>
    <message>
        <source>拍照提示音</source>
        <translation>Son de l&apos;obturateur</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>Screen Capture</source>
        <translation>Capture d&apos;écran</translation>
    </message>
    <message>
        <source>Partial screen capture</source>
        <translation>Capture partielle</translation>
    </message>
    <message>
        <source>Timing capture</source>
        <translation>Capture programmée</translation>
    </message>
    <message>
        <source>Time-lapse</source>
        <translation>Accéléré</translation>
    </message>
    <message>
        <source>Screen capture to clipboard</source>
        <translation>Capture vers le presse-papiers</translation>
    </message>
    <message>
        <source>Black white capture</source>
        <translation>Capture noir et blanc</translation>
    </message>
    <message>
        <source>Gray capture</source>
        <translation>Capture en gris</translation>
    </message>
</context>
<context>
    <name>IColorFrame</name>
    <message>
        <source>Red</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Vert</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Bleu</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Jaune</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Rose</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Noir</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Blanc</translation>
    </message>
</context>
<context>
    <name>IColorPanel</name>
    <message>
        <source>Color Panel</source>
        <translation>Palette de couleurs</translation>
    </message>
</context>
<context>
    <name>ICommonTextElementFrame</name>
    <message>
        <source>Lock</source>
        <translation>Verrouiller</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
</context>
<context>
    <name>IConfigureService</name>
    <message>
        <source>The settings could not be saved: %1</source>
        <translation>Impossible d&apos;enregistrer les réglages : %1</translation>
    </message>
    <message>
        <source>The settings file was too large to read. It was set aside as %1 and the default settings are used.</source>
        <translation>Le fichier de réglages était trop volumineux pour être lu. Il a été mis de côté sous %1 et les réglages par défaut sont utilisés.</translation>
    </message>
    <message>
        <source>The settings file is too large to read; the default settings are used.</source>
        <translation>Le fichier de réglages est trop volumineux pour être lu ; les réglages par défaut sont utilisés.</translation>
    </message>
    <message>
        <source>The settings file is read-only: changes to the settings will not be kept.</source>
        <translation>Le fichier de réglages est en lecture seule : les modifications des réglages ne seront pas conservées.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read; the default settings are used.</source>
        <translation>Le fichier de réglages %1 ne peut pas être lu ; les réglages par défaut sont utilisés.</translation>
    </message>
    <message>
        <source>The settings file is too large to read and could not be set aside (%1). The default settings are used, and the file is left as it is: changes to the settings will not be kept until the program is started again.</source>
        <translation>Le fichier de réglages est trop volumineux pour être lu et n&apos;a pas pu être mis de côté (%1). Les réglages par défaut sont utilisés et le fichier est laissé tel quel : les modifications des réglages ne seront pas conservées avant le prochain démarrage du programme.</translation>
    </message>
</context>
<context>
    <name>IFFmpegApi</name>
    <message>
        <source>Failed to open acquisition device</source>
        <translation>Impossible d&apos;ouvrir le périphérique de capture</translation>
    </message>
    <message>
        <source>Initialization output failed</source>
        <translation>Échec de l&apos;initialisation de la sortie</translation>
    </message>
    <message>
        <source>The recording stopped because the screen could no longer be captured. What was recorded is kept in:
%1</source>
        <translation>L&apos;enregistrement s&apos;est arrêté car l&apos;écran ne pouvait plus être capturé. La partie enregistrée est conservée dans :
%1</translation>
    </message>
    <message>
        <source>The recording could not be written completely: %1. What was written is kept in:
%2</source>
        <translation>L&apos;enregistrement n&apos;a pas pu être écrit en entier : %1. La partie écrite est conservée dans :
%2</translation>
    </message>
    <message>
        <source>Initialization output failed: %1. The recording cannot be saved in:
%2</source>
        <translation>Échec de l&apos;initialisation de la sortie : %1. L&apos;enregistrement ne peut pas être sauvegardé dans :
%2</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: this Wayland desktop offers no screen-sharing service (xdg-desktop-portal). Install the portal of your desktop, or log in with an X11 session to record the screen.</source>
        <translation>Impossible d&apos;enregistrer l&apos;écran : ce bureau Wayland n&apos;offre aucun service de partage d&apos;écran (xdg-desktop-portal). Installez le portail de votre bureau ou ouvrez une session X11 pour enregistrer l&apos;écran.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s request to share the screen was refused or cancelled. Press Start again and allow sharing the screen to record it.</source>
        <translation>Impossible d&apos;enregistrer l&apos;écran : la demande de partage d&apos;écran du bureau a été refusée ou annulée. Appuyez de nouveau sur Démarrer et autorisez le partage de l&apos;écran pour l&apos;enregistrer.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s screen stream (PipeWire) cannot be opened. Install PipeWire and gstreamer1.0-pipewire, or log in with an X11 session to record the screen.</source>
        <translation>Impossible d&apos;enregistrer l&apos;écran : le flux d&apos;écran du bureau (PipeWire) ne peut pas être ouvert. Installez PipeWire et gstreamer1.0-pipewire ou ouvrez une session X11 pour enregistrer l&apos;écran.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop shared the screen but sent no picture. Log in with an X11 session to record the screen.</source>
        <translation>Impossible d&apos;enregistrer l&apos;écran : le bureau a partagé l&apos;écran mais n&apos;a envoyé aucune image. Ouvrez une session X11 pour enregistrer l&apos;écran.</translation>
    </message>
    <message>
        <source>The recording stopped because the screen could no longer be captured, before any picture was recorded. No file was kept.</source>
        <translation>L&apos;enregistrement s&apos;est arrêté car l&apos;écran ne pouvait plus être capturé, avant qu&apos;aucune image ne soit enregistrée. Aucun fichier n&apos;a été conservé.</translation>
    </message>
    <message>
        <source>No picture of the screen arrived before the recording was stopped. Nothing was recorded, and no file was kept.</source>
        <translation>Aucune image de l&apos;écran n&apos;est arrivée avant l&apos;arrêt de l&apos;enregistrement. Rien n&apos;a été enregistré et aucun fichier n&apos;a été conservé.</translation>
    </message>
    <message>
        <source>The sound stopped at %1 of the recording.</source>
        <translation>Le son s&apos;est arrêté à %1 de l&apos;enregistrement.</translation>
    </message>
    <message>
        <source>The sound is missing from %1 to %2 of the recording.</source>
        <translation>Le son manque de %1 à %2 de l&apos;enregistrement.</translation>
    </message>
    <message>
        <source>The recorder could not process the sound.</source>
        <translation>L&apos;enregistreur n&apos;a pas pu traiter le son.</translation>
    </message>
    <message>
        <source>The microphone was disconnected.</source>
        <translation>Le microphone a été déconnecté.</translation>
    </message>
    <message>
        <source>The microphone sent no sound.</source>
        <translation>Le microphone n&apos;a envoyé aucun son.</translation>
    </message>
    <message>
        <source>The sound system reported an error.</source>
        <translation>Le système audio a signalé une erreur.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop did not answer the request to share the screen in time. Press Start to try again; if it still does not answer, log out and in again, or log in with an X11 session to record the screen.</source>
        <translation>Impossible d&apos;enregistrer l&apos;écran : le bureau n&apos;a pas répondu à temps à la demande de partage d&apos;écran. Appuyez sur Démarrer pour réessayer ; s&apos;il ne répond toujours pas, fermez puis rouvrez la session, ou ouvrez une session X11 pour enregistrer l&apos;écran.</translation>
    </message>
    <message>
        <source>The recording has no sound: no microphone answered.</source>
        <translation>L&apos;enregistrement n&apos;a pas de son : aucun microphone n&apos;a répondu.</translation>
    </message>
    <message>
        <source>%1 to the end</source>
        <translation>%1 jusqu&apos;à la fin</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 et %2 de plus</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>The sound is missing in %1 places, %2 in all: %3.</source>
        <translation>Le son manque à %1 endroits, %2 en tout : %3.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s screen-sharing service (xdg-desktop-portal) failed without asking. Press Start to try again; if it fails again, log out and in again, or log in with an X11 session to record the screen.</source>
        <translation>Impossible d&apos;enregistrer l&apos;écran : le service de partage d&apos;écran du bureau (xdg-desktop-portal) a échoué sans rien demander. Appuyez sur Démarrer pour réessayer ; s&apos;il échoue encore, fermez puis rouvrez la session, ou ouvrez une session X11 pour enregistrer l&apos;écran.</translation>
    </message>
</context>
<context>
    <name>IFigureFrame</name>
    <message>
        <source>Straight line</source>
        <translation>Ligne droite</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>Cercle</translation>
    </message>
    <message>
        <source>Oval</source>
        <translation>Ovale</translation>
    </message>
    <message>
        <source>Triangle</source>
        <translation>Triangle</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rectangle</translation>
    </message>
</context>
<context>
    <name>IFocusFrame</name>
    <message>
        <source>Automatic</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Mise au point</translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation>Exposition</translation>
    </message>
</context>
<context>
    <name>IImageTansformThread</name>
    <message>
        <source>empty picture</source>
        <translation>image vide</translation>
    </message>
</context>
<context>
    <name>IImgList</name>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Afficher</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Enregistrer sous</translation>
    </message>
    <message>
        <source>The picture could not be saved: %1</source>
        <translation>Impossible d&apos;enregistrer l&apos;image : %1</translation>
    </message>
    <message>
        <source>These files could not be deleted:
%1</source>
        <translation>Impossible de supprimer ces fichiers :
%1</translation>
    </message>
    <message>
        <source>PNG File(*.png);;JPEG File(*.jpeg);;TIFF File(*.tiff);;PDF File (*.pdf);;BMP File(*.bmp)</source>
        <translation>Fichier PNG(*.png);;Fichier JPEG(*.jpeg);;Fichier TIFF(*.tiff);;Fichier PDF (*.pdf);;Fichier BMP(*.bmp)</translation>
    </message>
    <message>
        <source>请先选择左边列表文件</source>
        <translation>Choisissez d&apos;abord une image dans la liste</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Save failed: unknown file type &quot;%1&quot;.</source>
        <translation>Échec de l&apos;enregistrement : type de fichier inconnu « %1 ».</translation>
    </message>
    <message>
        <source>These files already exist:
%1
Replace them?</source>
        <translation>Ces fichiers existent déjà :
%1
Les remplacer ?</translation>
    </message>
    <message>
        <source>Save Successful.</source>
        <translation>Enregistrement réussi.</translation>
    </message>
    <message>
        <source>Save failed for:
%1</source>
        <translation>Échec de l&apos;enregistrement pour :
%1</translation>
    </message>
    <message>
        <source>Not replaced:
%1</source>
        <translation>Non remplacés :
%1</translation>
    </message>
    <message>
        <source>Save failed: %1</source>
        <translation>Échec de l&apos;enregistrement : %1</translation>
    </message>
    <message>
        <source>Saved, but these pictures could not be read:
%1</source>
        <translation>Enregistré, mais ces images sont illisibles :
%1</translation>
    </message>
    <message>
        <source>No program to view the picture was found. It is saved at:
%1</source>
        <translation>Aucun programme pour afficher l&apos;image n&apos;a été trouvé. Elle est enregistrée dans :
%1</translation>
    </message>
</context>
<context>
    <name>IImgListThumbnail</name>
    <message>
        <source>Not a readable picture.</source>
        <translation>Image illisible.</translation>
    </message>
    <message>
        <source>The picture is too large (%1 x %2).</source>
        <translation>L&apos;image est trop grande (%1 x %2).</translation>
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
        <translation>Tout sélectionner</translation>
    </message>
    <message>
        <source>Deselect</source>
        <translation>Désélectionner</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>Importer un fichier</translation>
    </message>
    <message>
        <source>Not imported:
%1</source>
        <translation>Non importés :
%1</translation>
    </message>
    <message>
        <source>Imported, but not complete (the file is damaged or cut off):
%1</source>
        <translation>Importés, mais incomplets (le fichier est endommagé ou tronqué) :
%1</translation>
    </message>
</context>
<context>
    <name>IMacosPermissionBox</name>
    <message>
        <source>The application requires microphone access to record the audio.</source>
        <translation>Le programme a besoin d&apos;accéder au microphone pour enregistrer le son.</translation>
    </message>
    <message>
        <source>The application requires Screen Recording access to record the video.</source>
        <translation>Le programme a besoin de l&apos;autorisation d&apos;enregistrer l&apos;écran pour enregistrer la vidéo.</translation>
    </message>
    <message>
        <source>Microphone Preferences...</source>
        <translation>Préférences du microphone...</translation>
    </message>
    <message>
        <source>Screen Recording Preferences...</source>
        <translation>Préférences d&apos;enregistrement...</translation>
    </message>
</context>
<context>
    <name>IMagnifierFrame</name>
    <message>
        <source>Magnifier</source>
        <translation>Loupe</translation>
    </message>
</context>
<context>
    <name>IMainTitleWidget</name>
    <message>
        <source>Cameras</source>
        <translation>Caméras</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Réduire</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Agrandir</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restaurer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
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
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>IParameterFrame</name>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Contrast </source>
        <translation>Contraste </translation>
    </message>
    <message>
        <source>Brightness </source>
        <translation>Luminosité </translation>
    </message>
    <message>
        <source>Saturation </source>
        <translation>Saturation </translation>
    </message>
</context>
<context>
    <name>IPdfWriter</name>
    <message>
        <source>No picture selected.</source>
        <translation>Aucune image sélectionnée.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Impossible d&apos;écrire %1 : %2</translation>
    </message>
</context>
<context>
    <name>IPictureCompareFrame</name>
    <message>
        <source>Please select a picture first</source>
        <translation>Choisissez d&apos;abord une image</translation>
    </message>
</context>
<context>
    <name>IRecordVideo</name>
    <message>
        <source>The ffmpeg program is not installed.</source>
        <translation>Le programme ffmpeg n&apos;est pas installé.</translation>
    </message>
    <message>
        <source>The recording cannot be written to its cache folder.</source>
        <translation>L&apos;enregistrement ne peut pas être écrit dans son dossier de cache.</translation>
    </message>
    <message>
        <source>The screen recorder could not be started.</source>
        <translation>Impossible de démarrer l&apos;enregistrement de l&apos;écran.</translation>
    </message>
    <message>
        <source>The recording could not be saved.</source>
        <translation>Impossible de sauvegarder l&apos;enregistrement.</translation>
    </message>
</context>
<context>
    <name>IRightToolBar</name>
    <message>
        <source>Board</source>
        <translation>Tableau</translation>
    </message>
    <message>
        <source>Magnifier</source>
        <translation>Loupe</translation>
    </message>
    <message>
        <source>Zoom-in</source>
        <translation>Agrandir</translation>
    </message>
    <message>
        <source>Zoom-out</source>
        <translation>Réduire</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Pivoter</translation>
    </message>
    <message>
        <source>Self-adapting</source>
        <translation>Ajuster</translation>
    </message>
</context>
<context>
    <name>ISettingFrame</name>
    <message>
        <source>Video</source>
        <translation>Vidéo</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Software:</source>
        <translation>Logiciel :</translation>
    </message>
    <message>
        <source>Language switch:</source>
        <translation>Langue :</translation>
    </message>
    <message>
        <source>Software Version:</source>
        <translation>Version :</translation>
    </message>
    <message>
        <source>Restart the software, to activate the language setting.</source>
        <translation>Redémarrez le logiciel pour appliquer la langue.</translation>
    </message>
    <message>
        <source>View video file path</source>
        <translation>Voir le dossier</translation>
    </message>
    <message>
        <source>View picture file path</source>
        <translation>Voir le dossier</translation>
    </message>
    <message>
        <source>Setup video file path</source>
        <translation>Choisir le dossier</translation>
    </message>
    <message>
        <source>Setup picture file path</source>
        <translation>Choisir le dossier</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Confirm modification?</source>
        <translation>Confirmer la modification ?</translation>
    </message>
    <message>
        <source>No program to show the folder was found. The folder is:
%1</source>
        <translation>Aucun programme pour afficher le dossier n&apos;a été trouvé. Le dossier est :
%1</translation>
    </message>
</context>
<context>
    <name>ISmallCameraFrame</name>
    <message>
        <source>Picture-in-picture</source>
        <translation>Image dans l&apos;image</translation>
    </message>
    <message>
        <source>No camera device available</source>
        <translation>Aucune caméra disponible</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>Caméras</translation>
    </message>
</context>
<context>
    <name>IThicknessFrame</name>
    <message>
        <source>%1 thickness</source>
        <translation>Épaisseur %1</translation>
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
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reprendre</translation>
    </message>
    <message>
        <source>A time-lapse picture could not be taken; the next one follows in %1 s.</source>
        <translation>Une image de l&apos;accéléré n&apos;a pas pu être prise ; la suivante arrive dans %1 s.</translation>
    </message>
</context>
<context>
    <name>ITimelapseTimes</name>
    <message>
        <source>Shot</source>
        <translation>Prises</translation>
    </message>
    <message>
        <source>Next in</source>
        <translation>Suivante dans</translation>
    </message>
    <message>
        <source>Missed %1</source>
        <translation>Manquées %1</translation>
    </message>
</context>
<context>
    <name>ITimerCaptureControlFrame</name>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Halt</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
</context>
<context>
    <name>ITimerCaptureFrame</name>
    <message>
        <source>Please input integer greater than 0.</source>
        <translation>Saisissez un entier supérieur à 0.</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Interval Time</source>
        <translation>Intervalle</translation>
    </message>
    <message>
        <source>Capture Pages</source>
        <translation>Nombre de photos</translation>
    </message>
</context>
<context>
    <name>IVideoRecordFrame</name>
    <message>
        <source>Full screen</source>
        <translation>Plein écran</translation>
    </message>
    <message>
        <source>自动判断</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Halt</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>No microphone: recording without sound</source>
        <translation>Pas de microphone : enregistrement sans son</translation>
    </message>
    <message>
        <source>Waiting for the desktop&apos;s permission to share the screen...</source>
        <translation>En attente de l&apos;autorisation du bureau pour partager l&apos;écran...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>The desktop does not tell where this window is: the whole screen is recorded</source>
        <translation>Le bureau n&apos;indique pas où se trouve cette fenêtre : tout l&apos;écran est enregistré</translation>
    </message>
    <message>
        <source>The microphone is gone: no sound is recorded until it is back</source>
        <translation>Le micro a disparu : aucun son n&apos;est enregistré jusqu&apos;à son retour</translation>
    </message>
    <message>
        <source>Saving the last recording...</source>
        <translation>Sauvegarde du dernier enregistrement...</translation>
    </message>
</context>
<context>
    <name>IVideoRecordMsgBox</name>
    <message>
        <source>Screen recording</source>
        <translation>Enregistrement de l&apos;écran</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Ouvrir le fichier</translation>
    </message>
    <message>
        <source>Open directory</source>
        <translation>Ouvrir le dossier</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>No program to open it was found. It is at:
%1</source>
        <translation>Aucun programme pour l&apos;ouvrir n&apos;a été trouvé. Il se trouve dans :
%1</translation>
    </message>
</context>
<context>
    <name>ImageView</name>
    <message>
        <source>Please select a picture first</source>
        <translation>Choisissez d&apos;abord une image</translation>
    </message>
</context>
<context>
    <name>MainFrame</name>
    <message>
        <source>The time-lapse video could not be written completely: %1</source>
        <translation>La vidéo accélérée n&apos;a pas pu être écrite en entier : %1</translation>
    </message>
    <message>
        <source>The camera is not available, or it is caused by power failure, poor contact and being pulled out. Please check the equipment.</source>
        <translation>La caméra n&apos;est pas disponible : coupure de courant, mauvais contact ou câble débranché. Vérifiez l&apos;appareil.</translation>
    </message>
    <message>
        <source>Resolution settings failed, please re-select.</source>
        <translation>Échec du réglage de la résolution, choisissez-la à nouveau.</translation>
    </message>
    <message>
        <source>No ocumetra device is found! The possible reasons could be: 1. Ocumetra is not connected properly. 2. Driver program is not installed successfully. 3. The device is damaged.</source>
        <translation>Aucun appareil Ocumetra trouvé ! Causes possibles : 1. Ocumetra n&apos;est pas bien branché. 2. Le pilote n&apos;est pas correctement installé. 3. L&apos;appareil est endommagé.</translation>
    </message>
    <message>
        <source>Saving, please wait!</source>
        <translation>Enregistrement en cours, patientez !</translation>
    </message>
    <message>
        <source>Taking the photo failed, please try again.</source>
        <translation>La photo a échoué, réessayez.</translation>
    </message>
    <message>
        <source>The picture could not be saved: %1</source>
        <translation>Impossible d&apos;enregistrer l&apos;image : %1</translation>
    </message>
    <message>
        <source>Video is saved.</source>
        <translation>Vidéo enregistrée.</translation>
    </message>
    <message>
        <source>Current resolution: 1920*1080</source>
        <translation>Résolution actuelle : 1920*1080</translation>
    </message>
    <message>
        <source>The time-lapse video could not be started.</source>
        <translation>Impossible de démarrer la vidéo accélérée.</translation>
    </message>
    <message>
        <source>No video was written.</source>
        <translation>Aucune vidéo n&apos;a été écrite.</translation>
    </message>
    <message>
        <source>There is no picture to copy.</source>
        <translation>Aucune image à copier.</translation>
    </message>
    <message>
        <source>Succeed!</source>
        <translation>Réussi !</translation>
    </message>
    <message>
        <source>请先选择左边列表文件</source>
        <translation>Choisissez d&apos;abord une image dans la liste</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>PDF File (*.pdf)</source>
        <translation>Fichier PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Save failed. %1</source>
        <translation>Échec de l&apos;enregistrement. %1</translation>
    </message>
    <message>
        <source>Saved, but these pictures could not be read and left empty pages:
%1</source>
        <translation>Enregistré, mais ces images sont illisibles et ont laissé des pages vides :
%1</translation>
    </message>
    <message>
        <source>Save Successful.</source>
        <translation>Enregistrement réussi.</translation>
    </message>
</context>
</TS>
