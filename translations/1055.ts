<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="tr_TR">
<context>
    <name>IBoardToolBar</name>
    <message>
        <source>Move</source>
        <translation>Taşı</translation>
    </message>
    <message>
        <source>Pencil</source>
        <translation>Kalem</translation>
    </message>
    <message>
        <source>Thickness</source>
        <translation>Kalınlık</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Renk</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>Saydamlık</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Metin</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>Şekil</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Silgi</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Temizle</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Ana sayfa</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>Masaüstü</translation>
    </message>
</context>
<context>
    <name>ICameraToolBar</name>
    <message>
        <source>Focus and Exposure</source>
        <translation>Odak ve pozlama</translation>
    </message>
    <message>
        <source>Magnifier</source>
        <translation>Büyüteç</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Çözünürlük</translation>
    </message>
    <message>
        <source>Zoom-in</source>
        <translation>Yakınlaştır</translation>
    </message>
    <message>
        <source>Zoom-out</source>
        <translation>Uzaklaştır</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Döndür</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>Dondur</translation>
    </message>
    <message>
        <source>Color-adjusting</source>
        <translation>Renk ayarı</translation>
    </message>
    <message>
        <source>Self-adapting</source>
        <translation>Sığdır</translation>
    </message>
    <message>
        <source>Automatic edging</source>
        <translation>Otomatik kırpma</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Kamera</translation>
    </message>
    <message>
        <source>Picture-in-picture</source>
        <translation>Resim içinde resim</translation>
    </message>
    <message>
        <source>Split-screen</source>
        <translation>Bölünmüş ekran</translation>
    </message>
    <message>
        <source>Snap</source>
        <translation>Çek</translation>
    </message>
    <message>
        <source>Photo-mode</source>
        <translation>Fotoğraf modu</translation>
    </message>
    <message>
        <source>Video-Recording</source>
        <translation>Video kaydı</translation>
    </message>
</context>
<context>
    <name>ICaptureFrame</name>
    <message>
        <source>Back</source>
        <translation>Geri</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Seç</translation>
    </message>
</context>
<context>
    <name>ICaptureModeFrame</name>
    <message>
        <source>拍照提示音</source>
        <translation>Deklanşör sesi</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Varsayılan</translation>
    </message>
    <message>
        <source>Screen Capture</source>
        <translation>Ekran görüntüsü</translation>
    </message>
    <message>
        <source>Partial screen capture</source>
        <translation>Kısmi ekran görüntüsü</translation>
    </message>
    <message>
        <source>Timing capture</source>
        <translation>Zamanlı çekim</translation>
    </message>
    <message>
        <source>Time-lapse</source>
        <translation>Hızlandırılmış çekim</translation>
    </message>
    <message>
        <source>Screen capture to clipboard</source>
        <translation>Panoya ekran görüntüsü</translation>
    </message>
    <message>
        <source>Black white capture</source>
        <translation>Siyah beyaz çekim</translation>
    </message>
    <message>
        <source>Gray capture</source>
        <translation>Gri tonlu çekim</translation>
    </message>
</context>
<context>
    <name>IColorFrame</name>
    <message>
        <source>Red</source>
        <translation>Kırmızı</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Yeşil</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Mavi</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Sarı</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Pembe</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Camgöbeği</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Siyah</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Beyaz</translation>
    </message>
</context>
<context>
    <name>IColorPanel</name>
    <message>
        <source>Color Panel</source>
        <translation>Renk paleti</translation>
    </message>
</context>
<context>
    <name>ICommonTextElementFrame</name>
    <message>
        <source>Lock</source>
        <translation>Kilitle</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopyala</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Sil</translation>
    </message>
</context>
<context>
    <name>IConfigureService</name>
    <message>
        <source>The settings could not be saved: %1</source>
        <translation>Ayarlar kaydedilemedi: %1</translation>
    </message>
    <message>
        <source>The settings file was too large to read. It was set aside as %1 and the default settings are used.</source>
        <translation>Ayar dosyası okunamayacak kadar büyüktü. %1 olarak kenara alındı ve varsayılan ayarlar kullanılıyor.</translation>
    </message>
    <message>
        <source>The settings file is too large to read; the default settings are used.</source>
        <translation>Ayar dosyası okunamayacak kadar büyük; varsayılan ayarlar kullanılıyor.</translation>
    </message>
    <message>
        <source>The settings file is read-only: changes to the settings will not be kept.</source>
        <translation>Ayar dosyası salt okunur: ayarlarda yapılan değişiklikler saklanmayacak.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read; the default settings are used.</source>
        <translation>Ayar dosyası %1 okunamıyor; varsayılan ayarlar kullanılıyor.</translation>
    </message>
    <message>
        <source>The settings file is too large to read and could not be set aside (%1). The default settings are used, and the file is left as it is: changes to the settings will not be kept until the program is started again.</source>
        <translation>Ayar dosyası okunamayacak kadar büyük ve kenara alınamadı (%1). Varsayılan ayarlar kullanılıyor ve dosyaya dokunulmuyor: program yeniden başlatılana kadar ayarlardaki değişiklikler saklanmayacak.</translation>
    </message>
</context>
<context>
    <name>IFFmpegApi</name>
    <message>
        <source>Failed to open acquisition device</source>
        <translation>Yakalama aygıtı açılamadı</translation>
    </message>
    <message>
        <source>Initialization output failed</source>
        <translation>Çıkış hazırlanamadı</translation>
    </message>
    <message>
        <source>The recording stopped because the screen could no longer be captured. What was recorded is kept in:
%1</source>
        <translation>Ekran artık yakalanamadığı için kayıt durdu. Kaydedilenler şurada saklanıyor:
%1</translation>
    </message>
    <message>
        <source>The recording could not be written completely: %1. What was written is kept in:
%2</source>
        <translation>Kayıt tamamen yazılamadı: %1. Yazılan kısım şurada duruyor:
%2</translation>
    </message>
    <message>
        <source>Initialization output failed: %1. The recording cannot be saved in:
%2</source>
        <translation>Çıkış hazırlanamadı: %1. Kayıt şuraya kaydedilemiyor:
%2</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: this Wayland desktop offers no screen-sharing service (xdg-desktop-portal). Install the portal of your desktop, or log in with an X11 session to record the screen.</source>
        <translation>Ekran kaydedilemiyor: bu Wayland masaüstü ekran paylaşım hizmeti (xdg-desktop-portal) sunmuyor. Ekranı kaydetmek için masaüstünüzün portalını kurun veya bir X11 oturumuyla giriş yapın.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s request to share the screen was refused or cancelled. Press Start again and allow sharing the screen to record it.</source>
        <translation>Ekran kaydedilemiyor: masaüstünün ekran paylaşma isteği reddedildi veya iptal edildi. Ekranı kaydetmek için yeniden Başlat&apos;a basın ve ekran paylaşımına izin verin.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s screen stream (PipeWire) cannot be opened. Install PipeWire and gstreamer1.0-pipewire, or log in with an X11 session to record the screen.</source>
        <translation>Ekran kaydedilemiyor: masaüstünün ekran akışı (PipeWire) açılamıyor. Ekranı kaydetmek için PipeWire ve gstreamer1.0-pipewire kurun veya bir X11 oturumuyla giriş yapın.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop shared the screen but sent no picture. Log in with an X11 session to record the screen.</source>
        <translation>Ekran kaydedilemiyor: masaüstü ekranı paylaştı ancak hiç görüntü göndermedi. Ekranı kaydetmek için bir X11 oturumuyla giriş yapın.</translation>
    </message>
    <message>
        <source>The recording stopped because the screen could no longer be captured, before any picture was recorded. No file was kept.</source>
        <translation>Ekran artık yakalanamadığı için kayıt, hiçbir görüntü kaydedilmeden durdu. Hiçbir dosya saklanmadı.</translation>
    </message>
    <message>
        <source>No picture of the screen arrived before the recording was stopped. Nothing was recorded, and no file was kept.</source>
        <translation>Kayıt durdurulmadan önce ekrandan hiçbir görüntü gelmedi. Hiçbir şey kaydedilmedi ve hiçbir dosya saklanmadı.</translation>
    </message>
    <message>
        <source>The sound stopped at %1 of the recording.</source>
        <translation>Ses, kaydın %1 anında kesildi.</translation>
    </message>
    <message>
        <source>The sound is missing from %1 to %2 of the recording.</source>
        <translation>Kaydın %1 ile %2 arasında ses yok.</translation>
    </message>
    <message>
        <source>The recorder could not process the sound.</source>
        <translation>Kaydedici sesi işleyemedi.</translation>
    </message>
    <message>
        <source>The microphone was disconnected.</source>
        <translation>Mikrofonun bağlantısı kesildi.</translation>
    </message>
    <message>
        <source>The microphone sent no sound.</source>
        <translation>Mikrofon ses göndermedi.</translation>
    </message>
    <message>
        <source>The sound system reported an error.</source>
        <translation>Ses sistemi bir hata bildirdi.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop did not answer the request to share the screen in time. Press Start to try again; if it still does not answer, log out and in again, or log in with an X11 session to record the screen.</source>
        <translation>Ekran kaydedilemiyor: masaüstü ekran paylaşma isteğine zamanında yanıt vermedi. Yeniden denemek için Başlat&apos;a basın; yine yanıt vermezse oturumu kapatıp yeniden açın veya ekranı kaydetmek için bir X11 oturumuyla giriş yapın.</translation>
    </message>
    <message>
        <source>The recording has no sound: no microphone answered.</source>
        <translation>Kaydın sesi yok: hiçbir mikrofon yanıt vermedi.</translation>
    </message>
    <message>
        <source>%1 to the end</source>
        <translation>%1 ile sonu arası</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 ve %2 tane daha</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 sn</translation>
    </message>
    <message>
        <source>The sound is missing in %1 places, %2 in all: %3.</source>
        <translation>Ses %1 yerde eksik, toplam %2: %3.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s screen-sharing service (xdg-desktop-portal) failed without asking. Press Start to try again; if it fails again, log out and in again, or log in with an X11 session to record the screen.</source>
        <translation>Ekran kaydedilemiyor: masaüstünün ekran paylaşma hizmeti (xdg-desktop-portal) bir şey sormadan başarısız oldu. Yeniden denemek için Başlat&apos;a basın; yine başarısız olursa oturumu kapatıp yeniden açın veya ekranı kaydetmek için bir X11 oturumuyla giriş yapın.</translation>
    </message>
</context>
<context>
    <name>IFigureFrame</name>
    <message>
        <source>Straight line</source>
        <translation>Düz çizgi</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>Daire</translation>
    </message>
    <message>
        <source>Oval</source>
        <translation>Elips</translation>
    </message>
    <message>
        <source>Triangle</source>
        <translation>Üçgen</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Dikdörtgen</translation>
    </message>
</context>
<context>
    <name>IFocusFrame</name>
    <message>
        <source>Automatic</source>
        <translation>Otomatik</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Odak</translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation>Pozlama</translation>
    </message>
</context>
<context>
    <name>IImageTansformThread</name>
    <message>
        <source>empty picture</source>
        <translation>boş resim</translation>
    </message>
</context>
<context>
    <name>IImgList</name>
    <message>
        <source>Delete</source>
        <translation>Sil</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Görüntüle</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Farklı kaydet</translation>
    </message>
    <message>
        <source>The picture could not be saved: %1</source>
        <translation>Resim kaydedilemedi: %1</translation>
    </message>
    <message>
        <source>These files could not be deleted:
%1</source>
        <translation>Bu dosyalar silinemedi:
%1</translation>
    </message>
    <message>
        <source>PNG File(*.png);;JPEG File(*.jpeg);;TIFF File(*.tiff);;PDF File (*.pdf);;BMP File(*.bmp)</source>
        <translation>PNG dosyası(*.png);;JPEG dosyası(*.jpeg);;TIFF dosyası(*.tiff);;PDF dosyası (*.pdf);;BMP dosyası(*.bmp)</translation>
    </message>
    <message>
        <source>请先选择左边列表文件</source>
        <translation>Önce listeden bir resim seçin</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Kaydet</translation>
    </message>
    <message>
        <source>Save failed: unknown file type &quot;%1&quot;.</source>
        <translation>Kaydedilemedi: bilinmeyen dosya türü &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>These files already exist:
%1
Replace them?</source>
        <translation>Bu dosyalar zaten var:
%1
Değiştirilsin mi?</translation>
    </message>
    <message>
        <source>Save Successful.</source>
        <translation>Kaydedildi.</translation>
    </message>
    <message>
        <source>Save failed for:
%1</source>
        <translation>Kaydedilemeyenler:
%1</translation>
    </message>
    <message>
        <source>Not replaced:
%1</source>
        <translation>Değiştirilmeyenler:
%1</translation>
    </message>
    <message>
        <source>Save failed: %1</source>
        <translation>Kaydedilemedi: %1</translation>
    </message>
    <message>
        <source>Saved, but these pictures could not be read:
%1</source>
        <translation>Kaydedildi, ancak bu resimler okunamadı:
%1</translation>
    </message>
    <message>
        <source>No program to view the picture was found. It is saved at:
%1</source>
        <translation>Resmi gösterecek program bulunamadı. Şurada kayıtlı:
%1</translation>
    </message>
</context>
<context>
    <name>IImgListThumbnail</name>
    <message>
        <source>Not a readable picture.</source>
        <translation>Okunabilir bir resim değil.</translation>
    </message>
    <message>
        <source>The picture is too large (%1 x %2).</source>
        <translation>Resim çok büyük (%1 x %2).</translation>
    </message>
</context>
<context>
    <name>IImgListWidget</name>
    <message>
        <source>Gallery</source>
        <translation>Galeri</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Tümünü seç</translation>
    </message>
    <message>
        <source>Deselect</source>
        <translation>Seçimi kaldır</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>Dosya içe aktar</translation>
    </message>
    <message>
        <source>Not imported:
%1</source>
        <translation>İçe aktarılmayanlar:
%1</translation>
    </message>
    <message>
        <source>Imported, but not complete (the file is damaged or cut off):
%1</source>
        <translation>İçe aktarıldı, ancak eksik (dosya bozuk veya kesik):
%1</translation>
    </message>
</context>
<context>
    <name>IMacosPermissionBox</name>
    <message>
        <source>The application requires microphone access to record the audio.</source>
        <translation>Program, sesi kaydetmek için mikrofon erişimine ihtiyaç duyar.</translation>
    </message>
    <message>
        <source>The application requires Screen Recording access to record the video.</source>
        <translation>Program, videoyu kaydetmek için ekran kaydı iznine ihtiyaç duyar.</translation>
    </message>
    <message>
        <source>Microphone Preferences...</source>
        <translation>Mikrofon tercihleri...</translation>
    </message>
    <message>
        <source>Screen Recording Preferences...</source>
        <translation>Ekran kaydı tercihleri...</translation>
    </message>
</context>
<context>
    <name>IMagnifierFrame</name>
    <message>
        <source>Magnifier</source>
        <translation>Büyüteç</translation>
    </message>
</context>
<context>
    <name>IMainTitleWidget</name>
    <message>
        <source>Cameras</source>
        <translation>Kameralar</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ayarlar</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Simge durumuna küçült</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Ekranı kapla</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Geri yükle</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Kapat</translation>
    </message>
</context>
<context>
    <name>IMsgBox</name>
    <message>
        <source>OK</source>
        <translation>Tamam</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>İptal</translation>
    </message>
</context>
<context>
    <name>IParameterFrame</name>
    <message>
        <source>Default</source>
        <translation>Varsayılan</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Tamam</translation>
    </message>
    <message>
        <source>Contrast </source>
        <translation>Karşıtlık </translation>
    </message>
    <message>
        <source>Brightness </source>
        <translation>Parlaklık </translation>
    </message>
    <message>
        <source>Saturation </source>
        <translation>Doygunluk </translation>
    </message>
</context>
<context>
    <name>IPdfWriter</name>
    <message>
        <source>No picture selected.</source>
        <translation>Resim seçilmedi.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 yazılamıyor: %2</translation>
    </message>
</context>
<context>
    <name>IPictureCompareFrame</name>
    <message>
        <source>Please select a picture first</source>
        <translation>Önce bir resim seçin</translation>
    </message>
</context>
<context>
    <name>IRecordVideo</name>
    <message>
        <source>The ffmpeg program is not installed.</source>
        <translation>ffmpeg programı kurulu değil.</translation>
    </message>
    <message>
        <source>The recording cannot be written to its cache folder.</source>
        <translation>Kayıt önbellek klasörüne yazılamıyor.</translation>
    </message>
    <message>
        <source>The screen recorder could not be started.</source>
        <translation>Ekran kaydı başlatılamadı.</translation>
    </message>
    <message>
        <source>The recording could not be saved.</source>
        <translation>Kayıt kaydedilemedi.</translation>
    </message>
</context>
<context>
    <name>IRightToolBar</name>
    <message>
        <source>Board</source>
        <translation>Tahta</translation>
    </message>
    <message>
        <source>Magnifier</source>
        <translation>Büyüteç</translation>
    </message>
    <message>
        <source>Zoom-in</source>
        <translation>Yakınlaştır</translation>
    </message>
    <message>
        <source>Zoom-out</source>
        <translation>Uzaklaştır</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Döndür</translation>
    </message>
    <message>
        <source>Self-adapting</source>
        <translation>Sığdır</translation>
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
        <translation>Resim</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ayarlar</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Hakkında</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Kaydet</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Biçim</translation>
    </message>
    <message>
        <source>Software:</source>
        <translation>Program:</translation>
    </message>
    <message>
        <source>Language switch:</source>
        <translation>Dil:</translation>
    </message>
    <message>
        <source>Software Version:</source>
        <translation>Sürüm:</translation>
    </message>
    <message>
        <source>Restart the software, to activate the language setting.</source>
        <translation>Dil ayarının etkinleşmesi için programı yeniden başlatın.</translation>
    </message>
    <message>
        <source>View video file path</source>
        <translation>Klasörü göster</translation>
    </message>
    <message>
        <source>View picture file path</source>
        <translation>Klasörü göster</translation>
    </message>
    <message>
        <source>Setup video file path</source>
        <translation>Klasörü seç</translation>
    </message>
    <message>
        <source>Setup picture file path</source>
        <translation>Klasörü seç</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Aç</translation>
    </message>
    <message>
        <source>Confirm modification?</source>
        <translation>Değişiklik onaylansın mı?</translation>
    </message>
    <message>
        <source>No program to show the folder was found. The folder is:
%1</source>
        <translation>Klasörü gösterecek program bulunamadı. Klasör:
%1</translation>
    </message>
</context>
<context>
    <name>ISmallCameraFrame</name>
    <message>
        <source>Picture-in-picture</source>
        <translation>Resim içinde resim</translation>
    </message>
    <message>
        <source>No camera device available</source>
        <translation>Kullanılabilir kamera yok</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>Kameralar</translation>
    </message>
</context>
<context>
    <name>IThicknessFrame</name>
    <message>
        <source>%1 thickness</source>
        <translation>Kalınlık %1</translation>
    </message>
</context>
<context>
    <name>ITimelapseButton</name>
    <message>
        <source>sec</source>
        <translation>sn</translation>
    </message>
</context>
<context>
    <name>ITimelapseFrame</name>
    <message>
        <source>Start</source>
        <translation>Başlat</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Durdur</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Duraklat</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Sürdür</translation>
    </message>
    <message>
        <source>A time-lapse picture could not be taken; the next one follows in %1 s.</source>
        <translation>Bir hızlandırılmış çekim resmi alınamadı; sonraki %1 sn sonra.</translation>
    </message>
</context>
<context>
    <name>ITimelapseTimes</name>
    <message>
        <source>Shot</source>
        <translation>Çekilen</translation>
    </message>
    <message>
        <source>Next in</source>
        <translation>Sonraki</translation>
    </message>
    <message>
        <source>Missed %1</source>
        <translation>Kaçırılan %1</translation>
    </message>
</context>
<context>
    <name>ITimerCaptureControlFrame</name>
    <message>
        <source>Start</source>
        <translation>Başlat</translation>
    </message>
    <message>
        <source>Halt</source>
        <translation>Duraklat</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Durdur</translation>
    </message>
</context>
<context>
    <name>ITimerCaptureFrame</name>
    <message>
        <source>Please input integer greater than 0.</source>
        <translation>0&apos;dan büyük bir tam sayı girin.</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Onayla</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>İptal</translation>
    </message>
    <message>
        <source>Interval Time</source>
        <translation>Aralık</translation>
    </message>
    <message>
        <source>Capture Pages</source>
        <translation>Çekim sayısı</translation>
    </message>
</context>
<context>
    <name>IVideoRecordFrame</name>
    <message>
        <source>Full screen</source>
        <translation>Tam ekran</translation>
    </message>
    <message>
        <source>自动判断</source>
        <translation>Otomatik</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Çık</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Başlat</translation>
    </message>
    <message>
        <source>Halt</source>
        <translation>Duraklat</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Durdur</translation>
    </message>
    <message>
        <source>No microphone: recording without sound</source>
        <translation>Mikrofon yok: ses olmadan kaydediliyor</translation>
    </message>
    <message>
        <source>Waiting for the desktop&apos;s permission to share the screen...</source>
        <translation>Masaüstünün ekranı paylaşma izni bekleniyor...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>İptal</translation>
    </message>
    <message>
        <source>The desktop does not tell where this window is: the whole screen is recorded</source>
        <translation>Masaüstü bu pencerenin nerede olduğunu bildirmiyor: ekranın tamamı kaydediliyor</translation>
    </message>
    <message>
        <source>The microphone is gone: no sound is recorded until it is back</source>
        <translation>Mikrofon yok: geri gelene kadar ses kaydedilmiyor</translation>
    </message>
    <message>
        <source>Saving the last recording...</source>
        <translation>Son kayıt kaydediliyor...</translation>
    </message>
</context>
<context>
    <name>IVideoRecordMsgBox</name>
    <message>
        <source>Screen recording</source>
        <translation>Ekran kaydı</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Dosyayı aç</translation>
    </message>
    <message>
        <source>Open directory</source>
        <translation>Klasörü aç</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Kapat</translation>
    </message>
    <message>
        <source>No program to open it was found. It is at:
%1</source>
        <translation>Açacak program bulunamadı. Konumu:
%1</translation>
    </message>
</context>
<context>
    <name>ImageView</name>
    <message>
        <source>Please select a picture first</source>
        <translation>Önce bir resim seçin</translation>
    </message>
</context>
<context>
    <name>MainFrame</name>
    <message>
        <source>The time-lapse video could not be written completely: %1</source>
        <translation>Hızlandırılmış video tamamen yazılamadı: %1</translation>
    </message>
    <message>
        <source>The camera is not available, or it is caused by power failure, poor contact and being pulled out. Please check the equipment.</source>
        <translation>Kamera kullanılamıyor: elektrik kesintisi, kötü temas ya da çıkarılmış olabilir. Lütfen cihazı kontrol edin.</translation>
    </message>
    <message>
        <source>Resolution settings failed, please re-select.</source>
        <translation>Çözünürlük ayarlanamadı, lütfen yeniden seçin.</translation>
    </message>
    <message>
        <source>No ocumetra device is found! The possible reasons could be: 1. Ocumetra is not connected properly. 2. Driver program is not installed successfully. 3. The device is damaged.</source>
        <translation>Ocumetra cihazı bulunamadı! Olası nedenler: 1. Ocumetra düzgün bağlanmamış. 2. Sürücü düzgün kurulmamış. 3. Cihaz hasarlı.</translation>
    </message>
    <message>
        <source>Saving, please wait!</source>
        <translation>Kaydediliyor, lütfen bekleyin!</translation>
    </message>
    <message>
        <source>Taking the photo failed, please try again.</source>
        <translation>Fotoğraf çekilemedi, lütfen yeniden deneyin.</translation>
    </message>
    <message>
        <source>The picture could not be saved: %1</source>
        <translation>Resim kaydedilemedi: %1</translation>
    </message>
    <message>
        <source>Video is saved.</source>
        <translation>Video kaydedildi.</translation>
    </message>
    <message>
        <source>Current resolution: 1920*1080</source>
        <translation>Geçerli çözünürlük: 1920*1080</translation>
    </message>
    <message>
        <source>The time-lapse video could not be started.</source>
        <translation>Hızlandırılmış video başlatılamadı.</translation>
    </message>
    <message>
        <source>No video was written.</source>
        <translation>Hiç video yazılmadı.</translation>
    </message>
    <message>
        <source>There is no picture to copy.</source>
        <translation>Kopyalanacak resim yok.</translation>
    </message>
    <message>
        <source>Succeed!</source>
        <translation>Başarılı!</translation>
    </message>
    <message>
        <source>请先选择左边列表文件</source>
        <translation>Önce listeden bir resim seçin</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Kaydet</translation>
    </message>
    <message>
        <source>PDF File (*.pdf)</source>
        <translation>PDF dosyası (*.pdf)</translation>
    </message>
    <message>
        <source>Save failed. %1</source>
        <translation>Kaydedilemedi. %1</translation>
    </message>
    <message>
        <source>Saved, but these pictures could not be read and left empty pages:
%1</source>
        <translation>Kaydedildi, ancak bu resimler okunamadı ve boş sayfa bıraktı:
%1</translation>
    </message>
    <message>
        <source>Save Successful.</source>
        <translation>Kaydedildi.</translation>
    </message>
</context>
</TS>
