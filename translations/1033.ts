<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>IBoardToolBar</name>
    <message>
        <source>Move</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>Pencil</source>
        <translation>Pencil</translation>
    </message>
    <message>
        <source>Thickness</source>
        <translation>Thickness</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>Transparency</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>Shape</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Eraser</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
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
        <translation>Focus and Exposure</translation>
    </message>
    <message>
        <source>Magnifier</source>
        <translation>Magnifier</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Resolution</translation>
    </message>
    <message>
        <source>Zoom-in</source>
        <translation>Zoom-in</translation>
    </message>
    <message>
        <source>Zoom-out</source>
        <translation>Zoom-out</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>Freeze</translation>
    </message>
    <message>
        <source>Color-adjusting</source>
        <translation>Color-adjusting</translation>
    </message>
    <message>
        <source>Self-adapting</source>
        <translation>Self-adapting</translation>
    </message>
    <message>
        <source>Automatic edging</source>
        <translation>Automatic edging</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Camera</translation>
    </message>
    <message>
        <source>Picture-in-picture</source>
        <translation>Picture-in-picture</translation>
    </message>
    <message>
        <source>Split-screen</source>
        <translation>Split-screen</translation>
    </message>
    <message>
        <source>Snap</source>
        <translation>Snap</translation>
    </message>
    <message>
        <source>Photo-mode</source>
        <translation>Photo-mode</translation>
    </message>
    <message>
        <source>Video-Recording</source>
        <translation>Video-Recording</translation>
    </message>
</context>
<context>
    <name>ICaptureFrame</name>
    <message>
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Select</translation>
    </message>
</context>
<context>
    <name>ICaptureModeFrame</name>
    <message>
        <source>拍照提示音</source>
        <translation>Shutter sound</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>Screen Capture</source>
        <translation>Screen Capture</translation>
    </message>
    <message>
        <source>Partial screen capture</source>
        <translation>Partial screen capture</translation>
    </message>
    <message>
        <source>Timing capture</source>
        <translation>Timing capture</translation>
    </message>
    <message>
        <source>Time-lapse</source>
        <translation>Time-lapse</translation>
    </message>
    <message>
        <source>Screen capture to clipboard</source>
        <translation>Screen capture to clipboard</translation>
    </message>
    <message>
        <source>Black white capture</source>
        <translation>Black white capture</translation>
    </message>
    <message>
        <source>Gray capture</source>
        <translation>Gray capture</translation>
    </message>
</context>
<context>
    <name>IColorFrame</name>
    <message>
        <source>Red</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Pink</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>White</source>
        <translation>White</translation>
    </message>
</context>
<context>
    <name>IColorPanel</name>
    <message>
        <source>Color Panel</source>
        <translation>Color Panel</translation>
    </message>
</context>
<context>
    <name>ICommonTextElementFrame</name>
    <message>
        <source>Lock</source>
        <translation>Lock</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
</context>
<context>
    <name>IConfigureService</name>
    <message>
        <source>The settings could not be saved: %1</source>
        <translation>The settings could not be saved: %1</translation>
    </message>
    <message>
        <source>The settings file was too large to read. It was set aside as %1 and the default settings are used.</source>
        <translation>The settings file was too large to read. It was set aside as %1 and the default settings are used.</translation>
    </message>
    <message>
        <source>The settings file is too large to read; the default settings are used.</source>
        <translation>The settings file is too large to read; the default settings are used.</translation>
    </message>
    <message>
        <source>The settings file is read-only: changes to the settings will not be kept.</source>
        <translation>The settings file is read-only: changes to the settings will not be kept.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read; the default settings are used.</source>
        <translation>The settings file %1 cannot be read; the default settings are used.</translation>
    </message>
    <message>
        <source>The settings file is too large to read and could not be set aside (%1). The default settings are used, and the file is left as it is: changes to the settings will not be kept until the program is started again.</source>
        <translation>The settings file is too large to read and could not be set aside (%1). The default settings are used, and the file is left as it is: changes to the settings will not be kept until the program is started again.</translation>
    </message>
</context>
<context>
    <name>IFFmpegApi</name>
    <message>
        <source>Failed to open acquisition device</source>
        <translation>Failed to open acquisition device</translation>
    </message>
    <message>
        <source>Initialization output failed</source>
        <translation>Initialization output failed</translation>
    </message>
    <message>
        <source>The recording stopped because the screen could no longer be captured. What was recorded is kept in:
%1</source>
        <translation>The recording stopped because the screen could no longer be captured. What was recorded is kept in:
%1</translation>
    </message>
    <message>
        <source>The recording could not be written completely: %1. What was written is kept in:
%2</source>
        <translation>The recording could not be written completely: %1. What was written is kept in:
%2</translation>
    </message>
    <message>
        <source>Initialization output failed: %1. The recording cannot be saved in:
%2</source>
        <translation>Initialization output failed: %1. The recording cannot be saved in:
%2</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: this Wayland desktop offers no screen-sharing service (xdg-desktop-portal). Install the portal of your desktop, or log in with an X11 session to record the screen.</source>
        <translation>The screen cannot be recorded: this Wayland desktop offers no screen-sharing service (xdg-desktop-portal). Install the portal of your desktop, or log in with an X11 session to record the screen.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s request to share the screen was refused or cancelled. Press Start again and allow sharing the screen to record it.</source>
        <translation>The screen cannot be recorded: the desktop&apos;s request to share the screen was refused or cancelled. Press Start again and allow sharing the screen to record it.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s screen stream (PipeWire) cannot be opened. Install PipeWire and gstreamer1.0-pipewire, or log in with an X11 session to record the screen.</source>
        <translation>The screen cannot be recorded: the desktop&apos;s screen stream (PipeWire) cannot be opened. Install PipeWire and gstreamer1.0-pipewire, or log in with an X11 session to record the screen.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop shared the screen but sent no picture. Log in with an X11 session to record the screen.</source>
        <translation>The screen cannot be recorded: the desktop shared the screen but sent no picture. Log in with an X11 session to record the screen.</translation>
    </message>
    <message>
        <source>The recording stopped because the screen could no longer be captured, before any picture was recorded. No file was kept.</source>
        <translation>The recording stopped because the screen could no longer be captured, before any picture was recorded. No file was kept.</translation>
    </message>
    <message>
        <source>No picture of the screen arrived before the recording was stopped. Nothing was recorded, and no file was kept.</source>
        <translation>No picture of the screen arrived before the recording was stopped. Nothing was recorded, and no file was kept.</translation>
    </message>
    <message>
        <source>The sound stopped at %1 of the recording.</source>
        <translation>The sound stopped at %1 of the recording.</translation>
    </message>
    <message>
        <source>The sound is missing from %1 to %2 of the recording.</source>
        <translation>The sound is missing from %1 to %2 of the recording.</translation>
    </message>
    <message>
        <source>The recorder could not process the sound.</source>
        <translation>The recorder could not process the sound.</translation>
    </message>
    <message>
        <source>The microphone was disconnected.</source>
        <translation>The microphone was disconnected.</translation>
    </message>
    <message>
        <source>The microphone sent no sound.</source>
        <translation>The microphone sent no sound.</translation>
    </message>
    <message>
        <source>The sound system reported an error.</source>
        <translation>The sound system reported an error.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop did not answer the request to share the screen in time. Press Start to try again; if it still does not answer, log out and in again, or log in with an X11 session to record the screen.</source>
        <translation>The screen cannot be recorded: the desktop did not answer the request to share the screen in time. Press Start to try again; if it still does not answer, log out and in again, or log in with an X11 session to record the screen.</translation>
    </message>
    <message>
        <source>The recording has no sound: no microphone answered.</source>
        <translation>The recording has no sound: no microphone answered.</translation>
    </message>
    <message>
        <source>%1 to the end</source>
        <translation>%1 to the end</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 and %2 more</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>The sound is missing in %1 places, %2 in all: %3.</source>
        <translation>The sound is missing in %1 places, %2 in all: %3.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s screen-sharing service (xdg-desktop-portal) failed without asking. Press Start to try again; if it fails again, log out and in again, or log in with an X11 session to record the screen.</source>
        <translation>The screen cannot be recorded: the desktop&apos;s screen-sharing service (xdg-desktop-portal) failed without asking. Press Start to try again; if it fails again, log out and in again, or log in with an X11 session to record the screen.</translation>
    </message>
</context>
<context>
    <name>IFigureFrame</name>
    <message>
        <source>Straight line</source>
        <translation>Straight line</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>Oval</source>
        <translation>Oval</translation>
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
        <translation>Automatic</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Focus</translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation>Exposure</translation>
    </message>
</context>
<context>
    <name>IImageTansformThread</name>
    <message>
        <source>empty picture</source>
        <translation>empty picture</translation>
    </message>
</context>
<context>
    <name>IImgList</name>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>View</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>The picture could not be saved: %1</source>
        <translation>The picture could not be saved: %1</translation>
    </message>
    <message>
        <source>These files could not be deleted:
%1</source>
        <translation>These files could not be deleted:
%1</translation>
    </message>
    <message>
        <source>PNG File(*.png);;JPEG File(*.jpeg);;TIFF File(*.tiff);;PDF File (*.pdf);;BMP File(*.bmp)</source>
        <translation>PNG File(*.png);;JPEG File(*.jpeg);;TIFF File(*.tiff);;PDF File (*.pdf);;BMP File(*.bmp)</translation>
    </message>
    <message>
        <source>请先选择左边列表文件</source>
        <translation>Please select a picture in the list first</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Save failed: unknown file type &quot;%1&quot;.</source>
        <translation>Save failed: unknown file type &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>These files already exist:
%1
Replace them?</source>
        <translation>These files already exist:
%1
Replace them?</translation>
    </message>
    <message>
        <source>Save Successful.</source>
        <translation>Save Successful.</translation>
    </message>
    <message>
        <source>Save failed for:
%1</source>
        <translation>Save failed for:
%1</translation>
    </message>
    <message>
        <source>Not replaced:
%1</source>
        <translation>Not replaced:
%1</translation>
    </message>
    <message>
        <source>Save failed: %1</source>
        <translation>Save failed: %1</translation>
    </message>
    <message>
        <source>Saved, but these pictures could not be read:
%1</source>
        <translation>Saved, but these pictures could not be read:
%1</translation>
    </message>
    <message>
        <source>No program to view the picture was found. It is saved at:
%1</source>
        <translation>No program to view the picture was found. It is saved at:
%1</translation>
    </message>
</context>
<context>
    <name>IImgListThumbnail</name>
    <message>
        <source>Not a readable picture.</source>
        <translation>Not a readable picture.</translation>
    </message>
    <message>
        <source>The picture is too large (%1 x %2).</source>
        <translation>The picture is too large (%1 x %2).</translation>
    </message>
</context>
<context>
    <name>IImgListWidget</name>
    <message>
        <source>Gallery</source>
        <translation>Gallery</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>Deselect</source>
        <translation>Deselect</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>Import File</translation>
    </message>
    <message>
        <source>Not imported:
%1</source>
        <translation>Not imported:
%1</translation>
    </message>
    <message>
        <source>Imported, but not complete (the file is damaged or cut off):
%1</source>
        <translation>Imported, but not complete (the file is damaged or cut off):
%1</translation>
    </message>
</context>
<context>
    <name>IMacosPermissionBox</name>
    <message>
        <source>The application requires microphone access to record the audio.</source>
        <translation>The application requires microphone access to record the audio.</translation>
    </message>
    <message>
        <source>The application requires Screen Recording access to record the video.</source>
        <translation>The application requires Screen Recording access to record the video.</translation>
    </message>
    <message>
        <source>Microphone Preferences...</source>
        <translation>Microphone Preferences...</translation>
    </message>
    <message>
        <source>Screen Recording Preferences...</source>
        <translation>Screen Recording Preferences...</translation>
    </message>
</context>
<context>
    <name>IMagnifierFrame</name>
    <message>
        <source>Magnifier</source>
        <translation>Magnifier</translation>
    </message>
</context>
<context>
    <name>IMainTitleWidget</name>
    <message>
        <source>Cameras</source>
        <translation>Cameras</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximize</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
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
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>IParameterFrame</name>
    <message>
        <source>Default</source>
        <translation>Default</translation>
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
        <translation>Brightness </translation>
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
        <translation>No picture selected.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
</context>
<context>
    <name>IPictureCompareFrame</name>
    <message>
        <source>Please select a picture first</source>
        <translation>Please select a picture first</translation>
    </message>
</context>
<context>
    <name>IRecordVideo</name>
    <message>
        <source>The ffmpeg program is not installed.</source>
        <translation>The ffmpeg program is not installed.</translation>
    </message>
    <message>
        <source>The recording cannot be written to its cache folder.</source>
        <translation>The recording cannot be written to its cache folder.</translation>
    </message>
    <message>
        <source>The screen recorder could not be started.</source>
        <translation>The screen recorder could not be started.</translation>
    </message>
    <message>
        <source>The recording could not be saved.</source>
        <translation>The recording could not be saved.</translation>
    </message>
</context>
<context>
    <name>IRightToolBar</name>
    <message>
        <source>Board</source>
        <translation>Board</translation>
    </message>
    <message>
        <source>Magnifier</source>
        <translation>Magnifier</translation>
    </message>
    <message>
        <source>Zoom-in</source>
        <translation>Zoom-in</translation>
    </message>
    <message>
        <source>Zoom-out</source>
        <translation>Zoom-out</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>Self-adapting</source>
        <translation>Self-adapting</translation>
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
        <translation>Picture</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Software:</source>
        <translation>Software:</translation>
    </message>
    <message>
        <source>Language switch:</source>
        <translation>Language switch:</translation>
    </message>
    <message>
        <source>Software Version:</source>
        <translation>Software Version:</translation>
    </message>
    <message>
        <source>Restart the software, to activate the language setting.</source>
        <translation>Restart the software, to activate the language setting.</translation>
    </message>
    <message>
        <source>View video file path</source>
        <translation>View video file path</translation>
    </message>
    <message>
        <source>View picture file path</source>
        <translation>View picture file path</translation>
    </message>
    <message>
        <source>Setup video file path</source>
        <translation>Setup video file path</translation>
    </message>
    <message>
        <source>Setup picture file path</source>
        <translation>Setup picture file path</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Confirm modification?</source>
        <translation>Confirm modification?</translation>
    </message>
    <message>
        <source>No program to show the folder was found. The folder is:
%1</source>
        <translation>No program to show the folder was found. The folder is:
%1</translation>
    </message>
</context>
<context>
    <name>ISmallCameraFrame</name>
    <message>
        <source>Picture-in-picture</source>
        <translation>Picture-in-picture</translation>
    </message>
    <message>
        <source>No camera device available</source>
        <translation>No camera device available</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>Cameras</translation>
    </message>
</context>
<context>
    <name>IThicknessFrame</name>
    <message>
        <source>%1 thickness</source>
        <translation>%1 thickness</translation>
    </message>
</context>
<context>
    <name>ITimelapseButton</name>
    <message>
        <source>sec</source>
        <translation>sec</translation>
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
        <translation>Stop</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>A time-lapse picture could not be taken; the next one follows in %1 s.</source>
        <translation>A time-lapse picture could not be taken; the next one follows in %1 s.</translation>
    </message>
</context>
<context>
    <name>ITimelapseTimes</name>
    <message>
        <source>Shot</source>
        <translation>Shot</translation>
    </message>
    <message>
        <source>Next in</source>
        <translation>Next in</translation>
    </message>
    <message>
        <source>Missed %1</source>
        <translation>Missed %1</translation>
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
        <translation>Halt</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>ITimerCaptureFrame</name>
    <message>
        <source>Please input integer greater than 0.</source>
        <translation>Please input integer greater than 0.</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Interval Time</source>
        <translation>Interval Time</translation>
    </message>
    <message>
        <source>Capture Pages</source>
        <translation>Capture Pages</translation>
    </message>
</context>
<context>
    <name>IVideoRecordFrame</name>
    <message>
        <source>Full screen</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>自动判断</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Halt</source>
        <translation>Halt</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>No microphone: recording without sound</source>
        <translation>No microphone: recording without sound</translation>
    </message>
    <message>
        <source>Waiting for the desktop&apos;s permission to share the screen...</source>
        <translation>Waiting for the desktop&apos;s permission to share the screen...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>The desktop does not tell where this window is: the whole screen is recorded</source>
        <translation>The desktop does not tell where this window is: the whole screen is recorded</translation>
    </message>
    <message>
        <source>The microphone is gone: no sound is recorded until it is back</source>
        <translation>The microphone is gone: no sound is recorded until it is back</translation>
    </message>
    <message>
        <source>Saving the last recording...</source>
        <translation>Saving the last recording...</translation>
    </message>
</context>
<context>
    <name>IVideoRecordMsgBox</name>
    <message>
        <source>Screen recording</source>
        <translation>Screen recording</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>Open directory</source>
        <translation>Open directory</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>No program to open it was found. It is at:
%1</source>
        <translation>No program to open it was found. It is at:
%1</translation>
    </message>
</context>
<context>
    <name>ImageView</name>
    <message>
        <source>Please select a picture first</source>
        <translation>Please select a picture first</translation>
    </message>
</context>
<context>
    <name>MainFrame</name>
    <message>
        <source>The time-lapse video could not be written completely: %1</source>
        <translation>The time-lapse video could not be written completely: %1</translation>
    </message>
    <message>
        <source>The camera is not available, or it is caused by power failure, poor contact and being pulled out. Please check the equipment.</source>
        <translation>The camera is not available, or it is caused by power failure, poor contact and being pulled out. Please check the equipment.</translation>
    </message>
    <message>
        <source>Resolution settings failed, please re-select.</source>
        <translation>Resolution settings failed, please re-select.</translation>
    </message>
    <message>
        <source>No ocumetra device is found! The possible reasons could be: 1. Ocumetra is not connected properly. 2. Driver program is not installed successfully. 3. The device is damaged.</source>
        <translation>No ocumetra device is found! The possible reasons could be: 1. Ocumetra is not connected properly. 2. Driver program is not installed successfully. 3. The device is damaged.</translation>
    </message>
    <message>
        <source>Saving, please wait!</source>
        <translation>Saving, please wait!</translation>
    </message>
    <message>
        <source>Taking the photo failed, please try again.</source>
        <translation>Taking the photo failed, please try again.</translation>
    </message>
    <message>
        <source>The picture could not be saved: %1</source>
        <translation>The picture could not be saved: %1</translation>
    </message>
    <message>
        <source>Video is saved.</source>
        <translation>Video is saved.</translation>
    </message>
    <message>
        <source>Current resolution: 1920*1080</source>
        <translation>Current resolution: 1920*1080</translation>
    </message>
    <message>
        <source>The time-lapse video could not be started.</source>
        <translation>The time-lapse video could not be started.</translation>
    </message>
    <message>
        <source>No video was written.</source>
        <translation>No video was written.</translation>
    </message>
    <message>
        <source>There is no picture to copy.</source>
        <translation>There is no picture to copy.</translation>
    </message>
    <message>
        <source>Succeed!</source>
        <translation>Succeed!</translation>
    </message>
    <message>
        <source>请先选择左边列表文件</source>
        <translation>Please select a picture in the list first</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>PDF File (*.pdf)</source>
        <translation>PDF File (*.pdf)</translation>
    </message>
    <message>
        <source>Save failed. %1</source>
        <translation>Save failed. %1</translation>
    </message>
    <message>
        <source>Saved, but these pictures could not be read and left empty pages:
%1</source>
        <translation>Saved, but these pictures could not be read and left empty pages:
%1</translation>
    </message>
    <message>
        <source>Save Successful.</source>
        <translation>Save Successful.</translation>
    </message>
</context>
</TS>
