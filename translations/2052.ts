<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>IBoardToolBar</name>
    <message>
        <source>Move</source>
        <translation>移动</translation>
    </message>
    <message>
        <source>Pencil</source>
        <translation>画笔</translation>
    </message>
    <message>
        <source>Thickness</source>
        <translation>粗细</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>颜色</translation>
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
        <translation>形状</translation>
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
        <translation>主页</translation>
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
        <translation>对焦和曝光</translation>
    </message>
    <message>
        <source>Magnifier</source>
        <translation>放大镜</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>分辨率</translation>
    </message>
    <message>
        <source>Zoom-in</source>
        <translation>放大</translation>
    </message>
    <message>
        <source>Zoom-out</source>
        <translation>缩小</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>旋转</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>冻结</translation>
    </message>
    <message>
        <source>Color-adjusting</source>
        <translation>色彩调节</translation>
    </message>
    <message>
        <source>Self-adapting</source>
        <translation>自适应</translation>
    </message>
    <message>
        <source>Automatic edging</source>
        <translation>自动裁边</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>摄像头</translation>
    </message>
    <message>
        <source>Picture-in-picture</source>
        <translation>画中画</translation>
    </message>
    <message>
        <source>Split-screen</source>
        <translation>分屏</translation>
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
        <translation>录像</translation>
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
        <translation>选择</translation>
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
        <translation>默认</translation>
    </message>
    <message>
        <source>Screen Capture</source>
        <translation>截屏</translation>
    </message>
    <message>
        <source>Partial screen capture</source>
        <translation>区域截屏</translation>
    </message>
    <message>
        <source>Timing capture</source>
        <translation>定时拍照</translation>
    </message>
    <message>
        <source>Time-lapse</source>
        <translation>延时摄影</translation>
    </message>
    <message>
        <source>Screen capture to clipboard</source>
        <translation>截屏到剪贴板</translation>
    </message>
    <message>
        <source>Black white capture</source>
        <translation>黑白拍照</translation>
    </message>
    <message>
        <source>Gray capture</source>
        <translation>灰度拍照</translation>
    </message>
</context>
<context>
    <name>IColorFrame</name>
    <message>
        <source>Red</source>
        <translation>红色</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>绿色</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>蓝色</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>黄色</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>粉色</translation>
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
        <translation>调色板</translation>
    </message>
</context>
<context>
    <name>ICommonTextElementFrame</name>
    <message>
        <source>Lock</source>
        <translation>锁定</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
</context>
<context>
    <name>IConfigureService</name>
    <message>
        <source>The settings could not be saved: %1</source>
        <translation>无法保存设置：%1</translation>
    </message>
    <message>
        <source>The settings file was too large to read. It was set aside as %1 and the default settings are used.</source>
        <translation>设置文件过大，无法读取。已将其另存为 %1，并使用默认设置。</translation>
    </message>
    <message>
        <source>The settings file is too large to read; the default settings are used.</source>
        <translation>设置文件过大，无法读取；将使用默认设置。</translation>
    </message>
    <message>
        <source>The settings file is read-only: changes to the settings will not be kept.</source>
        <translation>设置文件为只读：对设置的更改将不会保留。</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read; the default settings are used.</source>
        <translation>无法读取设置文件 %1；将使用默认设置。</translation>
    </message>
    <message>
        <source>The settings file is too large to read and could not be set aside (%1). The default settings are used, and the file is left as it is: changes to the settings will not be kept until the program is started again.</source>
        <translation>设置文件过大，无法读取，也无法另存（%1）。将使用默认设置，文件保持原样：在程序重新启动之前，对设置的更改不会被保存。</translation>
    </message>
</context>
<context>
    <name>IFFmpegApi</name>
    <message>
        <source>Failed to open acquisition device</source>
        <translation>无法打开采集设备</translation>
    </message>
    <message>
        <source>Initialization output failed</source>
        <translation>输出初始化失败</translation>
    </message>
    <message>
        <source>The recording stopped because the screen could no longer be captured. What was recorded is kept in:
%1</source>
        <translation>录制已停止，因为无法再捕获屏幕。已录制的内容保存在：
%1</translation>
    </message>
    <message>
        <source>The recording could not be written completely: %1. What was written is kept in:
%2</source>
        <translation>录像未能完整写入：%1。已写入的内容保存在：
%2</translation>
    </message>
    <message>
        <source>Initialization output failed: %1. The recording cannot be saved in:
%2</source>
        <translation>输出初始化失败：%1。录像无法保存在：
%2</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: this Wayland desktop offers no screen-sharing service (xdg-desktop-portal). Install the portal of your desktop, or log in with an X11 session to record the screen.</source>
        <translation>无法录制屏幕：此 Wayland 桌面没有提供屏幕共享服务（xdg-desktop-portal）。请安装您桌面的门户，或使用 X11 会话登录以录制屏幕。</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s request to share the screen was refused or cancelled. Press Start again and allow sharing the screen to record it.</source>
        <translation>无法录制屏幕：桌面的屏幕共享请求被拒绝或已取消。请再次按“开始”并允许共享屏幕以进行录制。</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s screen stream (PipeWire) cannot be opened. Install PipeWire and gstreamer1.0-pipewire, or log in with an X11 session to record the screen.</source>
        <translation>无法录制屏幕：无法打开桌面的屏幕流（PipeWire）。请安装 PipeWire 和 gstreamer1.0-pipewire，或使用 X11 会话登录以录制屏幕。</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop shared the screen but sent no picture. Log in with an X11 session to record the screen.</source>
        <translation>无法录制屏幕：桌面已共享屏幕，但没有发送任何画面。请使用 X11 会话登录以录制屏幕。</translation>
    </message>
    <message>
        <source>The recording stopped because the screen could no longer be captured, before any picture was recorded. No file was kept.</source>
        <translation>在录制到任何画面之前，屏幕已无法再被捕获，录制已停止。未保留任何文件。</translation>
    </message>
    <message>
        <source>No picture of the screen arrived before the recording was stopped. Nothing was recorded, and no file was kept.</source>
        <translation>在停止录制之前没有收到任何屏幕画面。没有录制任何内容，也未保留任何文件。</translation>
    </message>
    <message>
        <source>The sound stopped at %1 of the recording.</source>
        <translation>声音在录制的 %1 处中断。</translation>
    </message>
    <message>
        <source>The sound is missing from %1 to %2 of the recording.</source>
        <translation>录制的 %1 到 %2 之间没有声音。</translation>
    </message>
    <message>
        <source>The recorder could not process the sound.</source>
        <translation>录制程序无法处理声音。</translation>
    </message>
    <message>
        <source>The microphone was disconnected.</source>
        <translation>麦克风已断开连接。</translation>
    </message>
    <message>
        <source>The microphone sent no sound.</source>
        <translation>麦克风没有发送声音。</translation>
    </message>
    <message>
        <source>The sound system reported an error.</source>
        <translation>声音系统报告了一个错误。</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop did not answer the request to share the screen in time. Press Start to try again; if it still does not answer, log out and in again, or log in with an X11 session to record the screen.</source>
        <translation>无法录制屏幕：桌面未及时回应共享屏幕的请求。请按“开始”重试；如果仍无回应，请注销后重新登录，或使用 X11 会话登录以录制屏幕。</translation>
    </message>
    <message>
        <source>The recording has no sound: no microphone answered.</source>
        <translation>这段录制没有声音：没有麦克风响应。</translation>
    </message>
    <message>
        <source>%1 to the end</source>
        <translation>%1 到结尾</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 等，另有 %2 处</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>The sound is missing in %1 places, %2 in all: %3.</source>
        <translation>录制中有 %1 处没有声音，共 %2：%3。</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s screen-sharing service (xdg-desktop-portal) failed without asking. Press Start to try again; if it fails again, log out and in again, or log in with an X11 session to record the screen.</source>
        <translation>无法录制屏幕：桌面的屏幕共享服务 (xdg-desktop-portal) 未询问即失败。请按“开始”重试；如果再次失败，请注销后重新登录，或使用 X11 会话登录以录制屏幕。</translation>
    </message>
</context>
<context>
    <name>IFigureFrame</name>
    <message>
        <source>Straight line</source>
        <translation>直线</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>圆形</translation>
    </message>
    <message>
        <source>Oval</source>
        <translation>椭圆</translation>
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
        <translation>自动</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>对焦</translation>
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
        <translation>空白图片</translation>
    </message>
</context>
<context>
    <name>IImgList</name>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>View</source>
        <translation>查看</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>The picture could not be saved: %1</source>
        <translation>无法保存图片：%1</translation>
    </message>
    <message>
        <source>These files could not be deleted:
%1</source>
        <translation>以下文件无法删除：
%1</translation>
    </message>
    <message>
        <source>PNG File(*.png);;JPEG File(*.jpeg);;TIFF File(*.tiff);;PDF File (*.pdf);;BMP File(*.bmp)</source>
        <translation>PNG 文件(*.png);;JPEG 文件(*.jpeg);;TIFF 文件(*.tiff);;PDF 文件 (*.pdf);;BMP 文件(*.bmp)</translation>
    </message>
    <message>
        <source>请先选择左边列表文件</source>
        <translation>请先选择左边列表文件</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save failed: unknown file type &quot;%1&quot;.</source>
        <translation>保存失败：未知的文件类型“%1”。</translation>
    </message>
    <message>
        <source>These files already exist:
%1
Replace them?</source>
        <translation>以下文件已存在：
%1
是否替换？</translation>
    </message>
    <message>
        <source>Save Successful.</source>
        <translation>保存成功。</translation>
    </message>
    <message>
        <source>Save failed for:
%1</source>
        <translation>以下文件保存失败：
%1</translation>
    </message>
    <message>
        <source>Not replaced:
%1</source>
        <translation>未替换：
%1</translation>
    </message>
    <message>
        <source>Save failed: %1</source>
        <translation>保存失败：%1</translation>
    </message>
    <message>
        <source>Saved, but these pictures could not be read:
%1</source>
        <translation>已保存，但以下图片无法读取：
%1</translation>
    </message>
    <message>
        <source>No program to view the picture was found. It is saved at:
%1</source>
        <translation>未找到可查看图片的程序。图片保存在：
%1</translation>
    </message>
</context>
<context>
    <name>IImgListThumbnail</name>
    <message>
        <source>Not a readable picture.</source>
        <translation>不是可读取的图片。</translation>
    </message>
    <message>
        <source>The picture is too large (%1 x %2).</source>
        <translation>图片太大（%1 x %2）。</translation>
    </message>
</context>
<context>
    <name>IImgListWidget</name>
    <message>
        <source>Gallery</source>
        <translation>图库</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Deselect</source>
        <translation>取消选择</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>导入文件</translation>
    </message>
    <message>
        <source>Not imported:
%1</source>
        <translation>未导入：
%1</translation>
    </message>
    <message>
        <source>Imported, but not complete (the file is damaged or cut off):
%1</source>
        <translation>已导入，但不完整（文件已损坏或被截断）：
%1</translation>
    </message>
</context>
<context>
    <name>IMacosPermissionBox</name>
    <message>
        <source>The application requires microphone access to record the audio.</source>
        <translation>本程序需要麦克风权限才能录制声音。</translation>
    </message>
    <message>
        <source>The application requires Screen Recording access to record the video.</source>
        <translation>本程序需要屏幕录制权限才能录制视频。</translation>
    </message>
    <message>
        <source>Microphone Preferences...</source>
        <translation>麦克风设置...</translation>
    </message>
    <message>
        <source>Screen Recording Preferences...</source>
        <translation>屏幕录制设置...</translation>
    </message>
</context>
<context>
    <name>IMagnifierFrame</name>
    <message>
        <source>Magnifier</source>
        <translation>放大镜</translation>
    </message>
</context>
<context>
    <name>IMainTitleWidget</name>
    <message>
        <source>Cameras</source>
        <translation>摄像头</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
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
        <translation>还原</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>IMsgBox</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
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
        <translation>默认</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Contrast </source>
        <translation>对比度 </translation>
    </message>
    <message>
        <source>Brightness </source>
        <translation>亮度 </translation>
    </message>
    <message>
        <source>Saturation </source>
        <translation>饱和度 </translation>
    </message>
</context>
<context>
    <name>IPdfWriter</name>
    <message>
        <source>No picture selected.</source>
        <translation>未选择图片。</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
</context>
<context>
    <name>IPictureCompareFrame</name>
    <message>
        <source>Please select a picture first</source>
        <translation>请先选择一张图片</translation>
    </message>
</context>
<context>
    <name>IRecordVideo</name>
    <message>
        <source>The ffmpeg program is not installed.</source>
        <translation>未安装 ffmpeg 程序。</translation>
    </message>
    <message>
        <source>The recording cannot be written to its cache folder.</source>
        <translation>无法将录像写入缓存文件夹。</translation>
    </message>
    <message>
        <source>The screen recorder could not be started.</source>
        <translation>无法启动屏幕录制。</translation>
    </message>
    <message>
        <source>The recording could not be saved.</source>
        <translation>无法保存录像。</translation>
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
        <translation>放大镜</translation>
    </message>
    <message>
        <source>Zoom-in</source>
        <translation>放大</translation>
    </message>
    <message>
        <source>Zoom-out</source>
        <translation>缩小</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>旋转</translation>
    </message>
    <message>
        <source>Self-adapting</source>
        <translation>自适应</translation>
    </message>
</context>
<context>
    <name>ISettingFrame</name>
    <message>
        <source>Video</source>
        <translation>视频</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>图片</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>格式</translation>
    </message>
    <message>
        <source>Software:</source>
        <translation>软件：</translation>
    </message>
    <message>
        <source>Language switch:</source>
        <translation>语言切换：</translation>
    </message>
    <message>
        <source>Software Version:</source>
        <translation>软件版本：</translation>
    </message>
    <message>
        <source>Restart the software, to activate the language setting.</source>
        <translation>重启软件后语言设置生效。</translation>
    </message>
    <message>
        <source>View video file path</source>
        <translation>查看视频保存路径</translation>
    </message>
    <message>
        <source>View picture file path</source>
        <translation>查看图片保存路径</translation>
    </message>
    <message>
        <source>Setup video file path</source>
        <translation>设置视频保存路径</translation>
    </message>
    <message>
        <source>Setup picture file path</source>
        <translation>设置图片保存路径</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Confirm modification?</source>
        <translation>确认修改吗？</translation>
    </message>
    <message>
        <source>No program to show the folder was found. The folder is:
%1</source>
        <translation>未找到可显示文件夹的程序。文件夹为：
%1</translation>
    </message>
</context>
<context>
    <name>ISmallCameraFrame</name>
    <message>
        <source>Picture-in-picture</source>
        <translation>画中画</translation>
    </message>
    <message>
        <source>No camera device available</source>
        <translation>没有可用的摄像头</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>摄像头</translation>
    </message>
</context>
<context>
    <name>IThicknessFrame</name>
    <message>
        <source>%1 thickness</source>
        <translation>粗细 %1</translation>
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
        <translation>开始</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>继续</translation>
    </message>
    <message>
        <source>A time-lapse picture could not be taken; the next one follows in %1 s.</source>
        <translation>一张延时照片拍摄失败；%1 秒后拍摄下一张。</translation>
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
        <translation>下一张</translation>
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
        <translation>开始</translation>
    </message>
    <message>
        <source>Halt</source>
        <translation>暂停</translation>
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
        <translation>请输入大于 0 的整数。</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Interval Time</source>
        <translation>间隔时间</translation>
    </message>
    <message>
        <source>Capture Pages</source>
        <translation>拍摄张数</translation>
    </message>
</context>
<context>
    <name>IVideoRecordFrame</name>
    <message>
        <source>Full screen</source>
        <translation>全屏</translation>
    </message>
    <message>
        <source>自动判断</source>
        <translation>自动判断</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Halt</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>No microphone: recording without sound</source>
        <translation>没有麦克风：录制将没有声音</translation>
    </message>
    <message>
        <source>Waiting for the desktop&apos;s permission to share the screen...</source>
        <translation>正在等待桌面允许共享屏幕...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>The desktop does not tell where this window is: the whole screen is recorded</source>
        <translation>桌面不提供此窗口的位置：将录制整个屏幕</translation>
    </message>
    <message>
        <source>The microphone is gone: no sound is recorded until it is back</source>
        <translation>麦克风已断开：在它回来之前不会录到声音</translation>
    </message>
    <message>
        <source>Saving the last recording...</source>
        <translation>正在保存上一段录制...</translation>
    </message>
</context>
<context>
    <name>IVideoRecordMsgBox</name>
    <message>
        <source>Screen recording</source>
        <translation>屏幕录制</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>Open directory</source>
        <translation>打开文件夹</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>No program to open it was found. It is at:
%1</source>
        <translation>未找到可打开它的程序。它位于：
%1</translation>
    </message>
</context>
<context>
    <name>ImageView</name>
    <message>
        <source>Please select a picture first</source>
        <translation>请先选择一张图片</translation>
    </message>
</context>
<context>
    <name>MainFrame</name>
    <message>
        <source>The time-lapse video could not be written completely: %1</source>
        <translation>延时视频未能完整写入：%1</translation>
    </message>
    <message>
        <source>The camera is not available, or it is caused by power failure, poor contact and being pulled out. Please check the equipment.</source>
        <translation>摄像头不可用，可能是断电、接触不良或被拔出所致。请检查设备。</translation>
    </message>
    <message>
        <source>Resolution settings failed, please re-select.</source>
        <translation>分辨率设置失败，请重新选择。</translation>
    </message>
    <message>
        <source>No ocumetra device is found! The possible reasons could be: 1. Ocumetra is not connected properly. 2. Driver program is not installed successfully. 3. The device is damaged.</source>
        <translation>未找到 Ocumetra 设备！可能的原因：1. Ocumetra 未正确连接。2. 驱动程序未成功安装。3. 设备已损坏。</translation>
    </message>
    <message>
        <source>Saving, please wait!</source>
        <translation>正在保存，请稍候！</translation>
    </message>
    <message>
        <source>Taking the photo failed, please try again.</source>
        <translation>拍照失败，请重试。</translation>
    </message>
    <message>
        <source>The picture could not be saved: %1</source>
        <translation>无法保存图片：%1</translation>
    </message>
    <message>
        <source>Video is saved.</source>
        <translation>视频已保存。</translation>
    </message>
    <message>
        <source>Current resolution: 1920*1080</source>
        <translation>当前分辨率：1920*1080</translation>
    </message>
    <message>
        <source>The time-lapse video could not be started.</source>
        <translation>无法开始延时视频。</translation>
    </message>
    <message>
        <source>No video was written.</source>
        <translation>没有写入任何视频。</translation>
    </message>
    <message>
        <source>There is no picture to copy.</source>
        <translation>没有可复制的图片。</translation>
    </message>
    <message>
        <source>Succeed!</source>
        <translation>成功！</translation>
    </message>
    <message>
        <source>请先选择左边列表文件</source>
        <translation>请先选择左边列表文件</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>PDF File (*.pdf)</source>
        <translation>PDF 文件 (*.pdf)</translation>
    </message>
    <message>
        <source>Save failed. %1</source>
        <translation>保存失败。%1</translation>
    </message>
    <message>
        <source>Saved, but these pictures could not be read and left empty pages:
%1</source>
        <translation>已保存，但以下图片无法读取，留下了空白页：
%1</translation>
    </message>
    <message>
        <source>Save Successful.</source>
        <translation>保存成功。</translation>
    </message>
</context>
</TS>
