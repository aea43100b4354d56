<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>IBoardToolBar</name>
    <message>
        <source>Move</source>
        <translation>移動</translation>
    </message>
    <message>
        <source>Pencil</source>
        <translation>畫筆</translation>
    </message>
    <message>
        <source>Thickness</source>
        <translation>粗細</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>顏色</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>透明度</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>文字</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>形狀</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>橡皮擦</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>首頁</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>桌面</translation>
    </message>
</context>
<context>
    <name>ICameraToolBar</name>
    <message>
        <source>Focus and Exposure</source>
        <translation>對焦和曝光</translation>
    </message>
    <message>
        <source>Magnifier</source>
        <translation>放大鏡</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>解析度</translation>
    </message>
    <message>
        <source>Zoom-in</source>
        <translation>放大</translation>
    </message>
    <message>
        <source>Zoom-out</source>
        <translation>縮小</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>旋轉</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>凍結</translation>
    </message>
    <message>
        <source>Color-adjusting</source>
        <translation>色彩調整</translation>
    </message>
    <message>
        <source>Self-adapting</source>
        <translation>自動調整</translation>
    </message>
    <message>
        <source>Automatic edging</source>
        <translation>自動裁邊</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>攝影機</translation>
    </message>
    <message>
        <source>Picture-in-picture</source>
        <translation>子母畫面</translation>
    </message>
    <message>
        <source>Split-screen</source>
        <translation>分割畫面</translation>
    </message>
    <message>
        <source>Snap</source>
        <translation>拍照</translation>
    </message>
    <message>
        <source>Photo-mode</source>
        <translation>拍照模式</translation>
    </message>
    <message>
        <source>Video-Recording</source>
        <translation>錄影</translation>
    </message>
</context>
<context>
    <name>ICaptureFrame</name>
    <message>
        <source>Back</source>
        <translation>返回</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>選取</translation>
    </message>
</context>
<context>
    <name>ICaptureModeFrame</name>
    <message>
        <source>拍照提示音</source>
        <translation>拍照提示音</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>預設</translation>
    </message>
    <message>
        <source>Screen Capture</source>
        <translation>螢幕擷取</translation>
    </message>
    <message>
        <source>Partial screen capture</source>
        <translation>區域螢幕擷取</translation>
    </message>
    <message>
        <source>Timing capture</source>
        <translation>定時拍照</translation>
    </message>
    <message>
        <source>Time-lapse</source>
        <translation>縮時攝影</translation>
    </message>
    <message>
        <source>Screen capture to clipboard</source>
        <translation>螢幕擷取到剪貼簿</translation>
    </message>
    <message>
        <source>Black white capture</source>
        <translation>黑白拍照</translation>
    </message>
    <message>
        <source>Gray capture</source>
        <translation>灰階拍照</translation>
    </message>
</context>
<context>
    <name>IColorFrame</name>
    <message>
        <source>Red</source>
        <translation>紅色</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>綠色</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>藍色</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>黃色</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>粉紅色</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>青色</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>黑色</translation>
    </message>
    <message>
        <source>White</source>
        <translation>白色</translation>
    </message>
</context>
<context>
    <name>IColorPanel</name>
    <message>
        <source>Color Panel</source>
        <translation>調色盤</translation>
    </message>
</context>
<context>
    <name>ICommonTextElementFrame</name>
    <message>
        <source>Lock</source>
        <translation>鎖定</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>複製</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>刪除</translation>
    </message>
</context>
<context>
    <name>IConfigureService</name>
    <message>
        <source>The settings could not be saved: %1</source>
        <translation>無法儲存設定：%1</translation>
    </message>
    <message>
        <source>The settings file was too large to read. It was set aside as %1 and the default settings are used.</source>
        <translation>設定檔過大，無法讀取。已將其另存為 %1，並使用預設設定。</translation>
    </message>
    <message>
        <source>The settings file is too large to read; the default settings are used.</source>
        <translation>設定檔過大，無法讀取；將使用預設設定。</translation>
    </message>
    <message>
        <source>The settings file is read-only: changes to the settings will not be kept.</source>
        <translation>設定檔為唯讀：對設定的變更將不會保留。</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read; the default settings are used.</source>
        <translation>無法讀取設定檔 %1；將使用預設設定。</translation>
    </message>
    <message>
        <source>The settings file is too large to read and could not be set aside (%1). The default settings are used, and the file is left as it is: changes to the settings will not be kept until the program is started again.</source>
        <translation>設定檔過大，無法讀取，也無法另存（%1）。將使用預設設定，檔案保持原狀：在程式重新啟動之前，對設定的變更不會被保留。</translation>
    </message>
</context>
<context>
    <name>IFFmpegApi</name>
    <message>
        <source>Failed to open acquisition device</source>
        <translation>無法開啟擷取裝置</translation>
    </message>
    <message>
        <source>Initialization output failed</source>
        <translation>輸出初始化失敗</translation>
    </message>
    <message>
        <source>The recording stopped because the screen could no longer be captured. What was recorded is kept in:
%1</source>
        <translation>錄影已停止，因為無法再擷取畫面。已錄製的內容保存在：
%1</translation>
    </message>
    <message>
        <source>The recording could not be written completely: %1. What was written is kept in:
%2</source>
        <translation>錄影未能完整寫入：%1。已寫入的內容保存在：
%2</translation>
    </message>
    <message>
        <source>Initialization output failed: %1. The recording cannot be saved in:
%2</source>
        <translation>輸出初始化失敗：%1。錄影無法儲存在：
%2</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: this Wayland desktop offers no screen-sharing service (xdg-desktop-portal). Install the portal of your desktop, or log in with an X11 session to record the screen.</source>
        <translation>無法錄製螢幕：此 Wayland 桌面沒有提供螢幕分享服務（xdg-desktop-portal）。請安裝您桌面的入口服務，或使用 X11 工作階段登入以錄製螢幕。</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s request to share the screen was refused or cancelled. Press Start again and allow sharing the screen to record it.</source>
        <translation>無法錄製螢幕：桌面的螢幕分享要求被拒絕或已取消。請再次按「開始」並允許分享螢幕以進行錄製。</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s screen stream (PipeWire) cannot be opened. Install PipeWire and gstreamer1.0-pipewire, or log in with an X11 session to record the screen.</source>
        <translation>無法錄製螢幕：無法開啟桌面的螢幕串流（PipeWire）。請安裝 PipeWire 和 gstreamer1.0-pipewire，或使用 X11 工作階段登入以錄製螢幕。</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop shared the screen but sent no picture. Log in with an X11 session to record the screen.</source>
        <translation>無法錄製螢幕：桌面已分享螢幕，但沒有傳送任何畫面。請使用 X11 工作階段登入以錄製螢幕。</translation>
    </message>
    <message>
        <source>The recording stopped because the screen could no longer be captured, before any picture was recorded. No file was kept.</source>
        <translation>在錄製到任何畫面之前，螢幕已無法再被擷取，錄影已停止。未保留任何檔案。</translation>
    </message>
    <message>
        <source>No picture of the screen arrived before the recording was stopped. Nothing was recorded, and no file was kept.</source>
        <translation>在停止錄影之前沒有收到任何螢幕畫面。沒有錄製任何內容，也未保留任何檔案。</translation>
    </message>
    <message>
        <source>The sound stopped at %1 of the recording.</source>
        <translation>聲音在錄影的 %1 處中斷。</translation>
    </message>
    <message>
        <source>The sound is missing from %1 to %2 of the recording.</source>
        <translation>錄影的 %1 到 %2 之間沒有聲音。</translation>
    </message>
    <message>
        <source>The recorder could not process the sound.</source>
        <translation>錄影程式無法處理聲音。</translation>
    </message>
    <message>
        <source>The microphone was disconnected.</source>
        <translation>麥克風已中斷連線。</translation>
    </message>
    <message>
        <source>The microphone sent no sound.</source>
        <translation>麥克風沒有傳送聲音。</translation>
    </message>
    <message>
        <source>The sound system reported an error.</source>
        <translation>聲音系統回報了一個錯誤。</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop did not answer the request to share the screen in time. Press Start to try again; if it still does not answer, log out and in again, or log in with an X11 session to record the screen.</source>
        <translation>無法錄製螢幕：桌面未及時回應分享螢幕的要求。請按「開始」再試一次；若仍無回應，請登出後再登入，或使用 X11 工作階段登入以錄製螢幕。</translation>
    </message>
    <message>
        <source>The recording has no sound: no microphone answered.</source>
        <translation>這段錄影沒有聲音：沒有麥克風回應。</translation>
    </message>
    <message>
        <source>%1 to the end</source>
        <translation>%1 到結尾</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 等，另有 %2 處</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>The sound is missing in %1 places, %2 in all: %3.</source>
        <translation>錄影中有 %1 處沒有聲音，共 %2：%3。</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s screen-sharing service (xdg-desktop-portal) failed without asking. Press Start to try again; if it fails again, log out and in again, or log in with an X11 session to record the screen.</source>
        <translation>無法錄製螢幕：桌面的螢幕分享服務 (xdg-desktop-portal) 未詢問即失敗。請按「開始」再試一次；若再次失敗，請登出後再登入，或使用 X11 工作階段登入以錄製螢幕。</translation>
    </message>
</context>
<context>
    <name>IFigureFrame</name>
    <message>
        <source>Straight line</source>
        <translation>直線</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>圓形</translation>
    </message>
    <message>
        <source>Oval</source>
        <translation>橢圓</translation>
    </message>
    <message>
        <source>Triangle</source>
        <translation>三角形</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>矩形</translation>
    </message>
</context>
<context>
    <name>IFocusFrame</name>
    <message>
        <source>Automatic</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>對焦</translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation>曝光</translation>
    </message>
</context>
<context>
    <name>IImageTansformThread</name>
    <message>
        <source>empty picture</source>
        <translation>空白圖片</translation>
    </message>
</context>
<context>
    <name>IImgList</name>
    <message>
        <source>Delete</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>View</source>
        <translation>檢視</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存新檔</translation>
    </message>
    <message>
        <source>The picture could not be saved: %1</source>
        <translation>無法儲存圖片：%1</translation>
    </message>
    <message>
        <source>These files could not be deleted:
%1</source>
        <translation>以下檔案無法刪除：
%1</translation>
    </message>
    <message>
        <source>PNG File(*.png);;JPEG File(*.jpeg);;TIFF File(*.tiff);;PDF File (*.pdf);;BMP File(*.bmp)</source>
        <translation>PNG 檔案(*.png);;JPEG 檔案(*.jpeg);;TIFF 檔案(*.tiff);;PDF 檔案 (*.pdf);;BMP 檔案(*.bmp)</translation>
    </message>
    <message>
        <source>请先选择左边列表文件</source>
        <translation>請先選擇左側清單中的檔案</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>儲存</translation>
    </message>
    <message>
        <source>Save failed: unknown file type &quot;%1&quot;.</source>
        <translation>儲存失敗：未知的檔案類型「%1」。</translation>
    </message>
    <message>
        <source>These files already exist:
%1
Replace them?</source>
        <translation>以下檔案已存在：
%1
是否取代？</translation>
    </message>
    <message>
        <source>Save Successful.</source>
        <translation>儲存成功。</translation>
    </message>
    <message>
        <source>Save failed for:
%1</source>
        <translation>以下檔案儲存失敗：
%1</translation>
    </message>
    <message>
        <source>Not replaced:
%1</source>
        <translation>未取代：
%1</translation>
    </message>
    <message>
        <source>Save failed: %1</source>
        <translation>儲存失敗：%1</translation>
    </message>
    <message>
        <source>Saved, but these pictures could not be read:
%1</source>
        <translation>已儲存，但以下圖片無法讀取：
%1</translation>
    </message>
    <message>
        <source>No program to view the picture was found. It is saved at:
%1</source>
        <translation>找不到可檢視圖片的程式。圖片儲存在：
%1</translation>
    </message>
</context>
<context>
    <name>IImgListThumbnail</name>
    <message>
        <source>Not a readable picture.</source>
        <translation>不是可讀取的圖片。</translation>
    </message>
    <message>
        <source>The picture is too large (%1 x %2).</source>
        <translation>圖片太大（%1 x %2）。</translation>
    </message>
</context>
<context>
    <name>IImgListWidget</name>
    <message>
        <source>Gallery</source>
        <translation>圖庫</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全選</translation>
    </message>
    <message>
        <source>Deselect</source>
        <translation>取消選取</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>匯入檔案</translation>
    </message>
    <message>
        <source>Not imported:
%1</source>
        <translation>未匯入：
%1</translation>
    </message>
    <message>
        <source>Imported, but not complete (the file is damaged or cut off):
%1</source>
        <translation>已匯入，但不完整（檔案已損壞或被截斷）：
%1</translation>
    </message>
</context>
<context>
    <name>IMacosPermissionBox</name>
    <message>
        <source>The application requires microphone access to record the audio.</source>
        <translation>本程式需要麥克風權限才能錄製聲音。</translation>
    </message>
    <message>
        <source>The application requires Screen Recording access to record the video.</source>
        <translation>本程式需要螢幕錄製權限才能錄製影片。</translation>
    </message>
    <message>
        <source>Microphone Preferences...</source>
        <translation>麥克風設定...</translation>
    </message>
    <message>
        <source>Screen Recording Preferences...</source>
        <translation>螢幕錄製設定...</translation>
    </message>
</context>
<context>
    <name>IMagnifierFrame</name>
    <message>
        <source>Magnifier</source>
        <translation>放大鏡</translation>
    </message>
</context>
<context>
    <name>IMainTitleWidget</name>
    <message>
        <source>Cameras</source>
        <translation>攝影機</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>最大化</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>還原</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
</context>
<context>
    <name>IMsgBox</name>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>IParameterFrame</name>
    <message>
        <source>Default</source>
        <translation>預設</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Contrast </source>
        <translation>對比 </translation>
    </message>
    <message>
        <source>Brightness </source>
        <translation>亮度 </translation>
    </message>
    <message>
        <source>Saturation </source>
        <translation>飽和度 </translation>
    </message>
</context>
<context>
    <name>IPdfWriter</name>
    <message>
        <source>No picture selected.</source>
        <translation>未選取圖片。</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>無法寫入 %1：%2</translation>
    </message>
</context>
<context>
    <name>IPictureCompareFrame</name>
    <message>
        <source>Please select a picture first</source>
        <translation>請先選取一張圖片</translation>
    </message>
</context>
<context>
    <name>IRecordVideo</name>
    <message>
        <source>The ffmpeg program is not installed.</source>
        <translation>未安裝 ffmpeg 程式。</translation>
    </message>
    <message>
        <source>The recording cannot be written to its cache folder.</source>
        <translation>無法將錄影寫入快取資料夾。</translation>
    </message>
    <message>
        <source>The screen recorder could not be started.</source>
        <translation>無法啟動螢幕錄製。</translation>
    </message>
    <message>
        <source>The recording could not be saved.</source>
        <translation>無法儲存錄影。</translation>
    </message>
</context>
<context>
    <name>IRightToolBar</name>
    <message>
        <source>Board</source>
        <translation>白板</translation>
    </message>
    <message>
        <source>Magnifier</source>
        <translation>放大鏡</translation>
    </message>
    <message>
        <source>Zoom-in</source>
        <translation>放大</translation>
    </message>
    <message>
        <source>Zoom-out</source>
        <translation>縮小</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>旋轉</translation>
    </message>
    <message>
        <source>Self-adapting</source>
        <translation>自動調整</translation>
    </message>
</context>
<context>
    <name>ISettingFrame</name>
    <message>
        <source>Video</source>
        <translation>影片</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>圖片</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>About</source>
        <translation>關於</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>儲存</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>格式</translation>
    </message>
    <message>
        <source>Software:</source>
        <translation>軟體：</translation>
    </message>
    <message>
        <source>Language switch:</source>
        <translation>語言切換：</translation>
    </message>
    <message>
        <source>Software Version:</source>
        <translation>軟體版本：</translation>
    </message>
    <message>
        <source>Restart the software, to activate the language setting.</source>
        <translation>重新啟動軟體後語言設定生效。</translation>
    </message>
    <message>
        <source>View video file path</source>
        <translation>檢視影片儲存路徑</translation>
    </message>
    <message>
        <source>View picture file path</source>
        <translation>檢視圖片儲存路徑</translation>
    </message>
    <message>
        <source>Setup video file path</source>
        <translation>設定影片儲存路徑</translation>
    </message>
    <message>
        <source>Setup picture file path</source>
        <translation>設定圖片儲存路徑</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>Confirm modification?</source>
        <translation>確定修改嗎？</translation>
    </message>
    <message>
        <source>No program to show the folder was found. The folder is:
%1</source>
        <translation>找不到可顯示資料夾的程式。資料夾為：
%1</translation>
    </message>
</context>
<context>
    <name>ISmallCameraFrame</name>
    <message>
        <source>Picture-in-picture</source>
        <translation>子母畫面</translation>
    </message>
    <message>
        <source>No camera device available</source>
        <translation>沒有可用的攝影機</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>攝影機</translation>
    </message>
</context>
<context>
    <name>IThicknessFrame</name>
    <message>
        <source>%1 thickness</source>
        <translation>粗細 %1</translation>
    </message>
</context>
<context>
    <name>ITimelapseButton</name>
    <message>
        <source>sec</source>
        <translation>秒</translation>
    </message>
</context>
<context>
    <name>ITimelapseFrame</name>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暫停</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>繼續</translation>
    </message>
    <message>
        <source>A time-lapse picture could not be taken; the next one follows in %1 s.</source>
        <translation>一張縮時照片拍攝失敗；%1 秒後拍攝下一張。</translation>
    </message>
</context>
<context>
    <name>ITimelapseTimes</name>
    <message>
        <source>Shot</source>
        <translation>已拍</translation>
    </message>
    <message>
        <source>Next in</source>
        <translation>下一張</translation>
    </message>
    <message>
        <source>Missed %1</source>
        <translation>漏拍 %1</translation>
    </message>
</context>
<context>
    <name>ITimerCaptureControlFrame</name>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>Halt</source>
        <translation>暫停</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
</context>
<context>
    <name>ITimerCaptureFrame</name>
    <message>
        <source>Please input integer greater than 0.</source>
        <translation>請輸入大於 0 的整數。</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>確認</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Interval Time</source>
        <translation>間隔時間</translation>
    </message>
    <message>
        <source>Capture Pages</source>
        <translation>拍攝張數</translation>
    </message>
</context>
<context>
    <name>IVideoRecordFrame</name>
    <message>
        <source>Full screen</source>
        <translation>全螢幕</translation>
    </message>
    <message>
        <source>自动判断</source>
        <translation>自動判斷</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>Halt</source>
        <translation>暫停</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>No microphone: recording without sound</source>
        <translation>沒有麥克風：錄影將沒有聲音</translation>
    </message>
    <message>
        <source>Waiting for the desktop&apos;s permission to share the screen...</source>
        <translation>正在等待桌面允許分享螢幕...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>The desktop does not tell where this window is: the whole screen is recorded</source>
        <translation>桌面不提供此視窗的位置：將錄製整個螢幕</translation>
    </message>
    <message>
        <source>The microphone is gone: no sound is recorded until it is back</source>
        <translation>麥克風已中斷：在它回來之前不會錄到聲音</translation>
    </message>
    <message>
        <source>Saving the last recording...</source>
        <translation>正在儲存上一段錄影...</translation>
    </message>
</context>
<context>
    <name>IVideoRecordMsgBox</name>
    <message>
        <source>Screen recording</source>
        <translation>螢幕錄製</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>開啟檔案</translation>
    </message>
    <message>
        <source>Open directory</source>
        <translation>開啟資料夾</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>No program to open it was found. It is at:
%1</source>
        <translation>找不到可開啟它的程式。它位於：
%1</translation>
    </message>
</context>
<context>
    <name>ImageView</name>
    <message>
        <source>Please select a picture first</source>
        <translation>請先選取一張圖片</translation>
    </message>
</context>
<context>
    <name>MainFrame</name>
    <message>
        <source>The time-lapse video could not be written completely: %1</source>
        <translation>縮時影片未能完整寫入：%1</translation>
    </message>
    <message>
        <source>The camera is not available, or it is caused by power failure, poor contact and being pulled out. Please check the equipment.</source>
        <translation>攝影機無法使用，可能是斷電、接觸不良或被拔除所致。請檢查設備。</translation>
    </message>
    <message>
        <source>Resolution settings failed, please re-select.</source>
        <translation>解析度設定失敗，請重新選擇。</translation>
    </message>
    <message>
        <source>No ocumetra device is found! The possible reasons could be: 1. Ocumetra is not connected properly. 2. Driver program is not installed successfully. 3. The device is damaged.</source>
        <translation>找不到 Ocumetra 裝置！可能的原因：1. Ocumetra 未正確連接。2. 驅動程式未成功安裝。3. 裝置已損壞。</translation>
    </message>
    <message>
        <source>Saving, please wait!</source>
        <translation>正在儲存，請稍候！</translation>
    </message>
    <message>
        <source>Taking the photo failed, please try again.</source>
        <translation>拍照失敗，請重試。</translation>
    </message>
    <message>
        <source>The picture could not be saved: %1</source>
        <translation>無法儲存圖片：%1</translation>
    </message>
    <message>
        <source>Video is saved.</source>
        <translation>影片已儲存。</translation>
    </message>
    <message>
        <source>Current resolution: 1920*1080</source>
        <translation>目前解析度：1920*1080</translation>
    </message>
    <message>
        <source>The time-lapse video could not be started.</source>
        <translation>無法開始縮時影片。</translation>
    </message>
    <message>
        <source>No video was written.</source>
        <translation>沒有寫入任何影片。</translation>
    </message>
    <message>
        <source>There is no picture to copy.</source>
        <translation>沒有可複製的圖片。</translation>
    </message>
    <message>
        <source>Succeed!</source>
        <translation>成功！</translation>
    </message>
    <message>
        <source>请先选择左边列表文件</source>
        <translation>請先選擇左側清單中的檔案</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>儲存</translation>
    </message>
    <message>
        <source>PDF File (*.pdf)</source>
        <translation>PDF 檔案 (*.pdf)</translation>
    </message>
    <message>
        <source>Save failed. %1</source>
        <translation>儲存失敗。%1</translation>
    </message>
    <message>
        <source>Saved, but these pictures could not be read and left empty pages:
%1</source>
        <translation>已儲存，但以下圖片無法讀取，留下了空白頁：
%1</translation>
    </message>
    <message>
        <source>Save Successful.</source>
        <translation>儲存成功。</translation>
    </message>
</context>
</TS>
