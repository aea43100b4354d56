<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR">
<context>
    <name>IBoardToolBar</name>
    <message>
        <source>Move</source>
        <translation>이동</translation>
    </message>
    <message>
        <source>Pencil</source>
        <translation>펜</translation>
    </message>
    <message>
        <source>Thickness</source>
        <translation>굵기</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>색상</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>투명도</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>텍스트</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>도형</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>지우개</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>모두 지우기</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>홈</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>바탕 화면</translation>
    </message>
</context>
<context>
    <name>ICameraToolBar</name>
    <message>
        <source>Focus and Exposure</source>
        <translation>초점 및 노출</translation>
    </message>
    <message>
        <source>Magnifier</source>
        <translation>돋보기</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>해상도</translation>
    </message>
    <message>
        <source>Zoom-in</source>
        <translation>확대</translation>
    </message>
    <message>
        <source>Zoom-out</source>
        <translation>축소</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>회전</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>정지 화면</translation>
    </message>
    <message>
        <source>Color-adjusting</source>
        <translation>색상 조정</translation>
    </message>
    <message>
        <source>Self-adapting</source>
        <translation>화면 맞춤</translation>
    </message>
    <message>
        <source>Automatic edging</source>
        <translation>자동 자르기</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>카메라</translation>
    </message>
    <message>
        <source>Picture-in-picture</source>
        <translation>화면 속 화면</translation>
    </message>
    <message>
        <source>Split-screen</source>
        <translation>화면 분할</translation>
    </message>
    <message>
        <source>Snap</source>
        <translation>촬영</translation>
    </message>
    <message>
        <source>Photo-mode</source>
        <translation>촬영 모드</translation>
    </message>
    <message>
        <source>Video-Recording</source>
        <translation>동영상 녹화</translation>
    </message>
</context>
<context>
    <name>ICaptureFrame</name>
    <message>
        <source>Back</source>
        <translation>뒤로</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>선택</translation>
    </message>
</context>
<context>
    <name>ICaptureModeFrame</name>
    <message>
        <source>拍照提示音</source>
        <translation>셔터 소리</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>기본값</translation>
    </message>
    <message>
        <source>Screen Capture</source>
        <translation>화면 캡처</translation>
    </message>
    <message>
        <source>Partial screen capture</source>
        <translation>영역 캡처</translation>
    </message>
    <message>
        <source>Timing capture</source>
        <translation>타이머 촬영</translation>
    </message>
    <message>
        <source>Time-lapse</source>
        <translation>타임랩스</translation>
    </message>
    <message>
        <source>Screen capture to clipboard</source>
        <translation>클립보드로 화면 캡처</translation>
    </message>
    <message>
        <source>Black white capture</source>
        <translation>흑백 촬영</translation>
    </message>
    <message>
        <source>Gray capture</source>
        <translation>회색조 촬영</translation>
    </message>
</context>
<context>
    <name>IColorFrame</name>
    <message>
        <source>Red</source>
        <translation>빨강</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>초록</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>파랑</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>노랑</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>분홍</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>청록</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>검정</translation>
    </message>
    <message>
        <source>White</source>
        <translation>흰색</translation>
    </message>
</context>
<context>
    <name>IColorPanel</name>
    <message>
        <source>Color Panel</source>
        <translation>색상 팔레트</translation>
    </message>
</context>
<context>
    <name>ICommonTextElementFrame</name>
    <message>
        <source>Lock</source>
        <translation>잠금</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>복사</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>삭제</translation>
    </message>
</context>
<context>
    <name>IConfigureService</name>
    <message>
        <source>The settings could not be saved: %1</source>
        <translation>설정을 저장할 수 없습니다: %1</translation>
    </message>
    <message>
        <source>The settings file was too large to read. It was set aside as %1 and the default settings are used.</source>
        <translation>설정 파일이 너무 커서 읽을 수 없습니다. %1(으)로 따로 보관했으며 기본 설정을 사용합니다.</translation>
    </message>
    <message>
        <source>The settings file is too large to read; the default settings are used.</source>
        <translation>설정 파일이 너무 커서 읽을 수 없습니다. 기본 설정을 사용합니다.</translation>
    </message>
    <message>
        <source>The settings file is read-only: changes to the settings will not be kept.</source>
        <translation>설정 파일이 읽기 전용입니다. 설정 변경 내용이 유지되지 않습니다.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read; the default settings are used.</source>
        <translation>설정 파일 %1을(를) 읽을 수 없습니다. 기본 설정을 사용합니다.</translation>
    </message>
    <message>
        <source>The settings file is too large to read and could not be set aside (%1). The default settings are used, and the file is left as it is: changes to the settings will not be kept until the program is started again.</source>
        <translation>설정 파일이 너무 커서 읽을 수 없고 따로 보관할 수도 없습니다(%1). 기본 설정을 사용하며 파일은 그대로 둡니다. 프로그램을 다시 시작할 때까지 설정 변경 내용은 저장되지 않습니다.</translation>
    </message>
</context>
<context>
    <name>IFFmpegApi</name>
    <message>
        <source>Failed to open acquisition device</source>
        <translation>캡처 장치를 열 수 없습니다</translation>
    </message>
    <message>
        <source>Initialization output failed</source>
        <translation>출력 초기화에 실패했습니다</translation>
    </message>
    <message>
        <source>The recording stopped because the screen could no longer be captured. What was recorded is kept in:
%1</source>
        <translation>화면을 더 이상 캡처할 수 없어 녹화가 중지되었습니다. 녹화된 내용은 다음 위치에 있습니다:
%1</translation>
    </message>
    <message>
        <source>The recording could not be written completely: %1. What was written is kept in:
%2</source>
        <translation>녹화를 모두 쓰지 못했습니다: %1. 저장된 부분은 다음 위치에 있습니다:
%2</translation>
    </message>
    <message>
        <source>Initialization output failed: %1. The recording cannot be saved in:
%2</source>
        <translation>출력 초기화에 실패했습니다: %1. 다음 위치에 녹화를 저장할 수 없습니다:
%2</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: this Wayland desktop offers no screen-sharing service (xdg-desktop-portal). Install the portal of your desktop, or log in with an X11 session to record the screen.</source>
        <translation>화면을 녹화할 수 없습니다: 이 Wayland 데스크톱에는 화면 공유 서비스(xdg-desktop-portal)가 없습니다. 데스크톱의 포털을 설치하거나 X11 세션으로 로그인하여 화면을 녹화하십시오.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s request to share the screen was refused or cancelled. Press Start again and allow sharing the screen to record it.</source>
        <translation>화면을 녹화할 수 없습니다: 데스크톱의 화면 공유 요청이 거부되었거나 취소되었습니다. 시작을 다시 누르고 화면 공유를 허용하여 녹화하십시오.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s screen stream (PipeWire) cannot be opened. Install PipeWire and gstreamer1.0-pipewire, or log in with an X11 session to record the screen.</source>
        <translation>화면을 녹화할 수 없습니다: 데스크톱의 화면 스트림(PipeWire)을 열 수 없습니다. PipeWire와 gstreamer1.0-pipewire를 설치하거나 X11 세션으로 로그인하여 화면을 녹화하십시오.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop shared the screen but sent no picture. Log in with an X11 session to record the screen.</source>
        <translation>화면을 녹화할 수 없습니다: 데스크톱이 화면을 공유했지만 영상을 보내지 않았습니다. X11 세션으로 로그인하여 화면을 녹화하십시오.</translation>
    </message>
    <message>
        <source>The recording stopped because the screen could no longer be captured, before any picture was recorded. No file was kept.</source>
        <translation>그림이 하나도 녹화되기 전에 화면을 더 이상 캡처할 수 없어 녹화가 중지되었습니다. 파일을 남기지 않았습니다.</translation>
    </message>
    <message>
        <source>No picture of the screen arrived before the recording was stopped. Nothing was recorded, and no file was kept.</source>
        <translation>녹화를 중지하기 전에 화면 그림이 하나도 도착하지 않았습니다. 아무것도 녹화되지 않았으며 파일을 남기지 않았습니다.</translation>
    </message>
    <message>
        <source>The sound stopped at %1 of the recording.</source>
        <translation>녹화 %1 지점에서 소리가 끊겼습니다.</translation>
    </message>
    <message>
        <source>The sound is missing from %1 to %2 of the recording.</source>
        <translation>녹화 %1부터 %2까지 소리가 없습니다.</translation>
    </message>
    <message>
        <source>The recorder could not process the sound.</source>
        <translation>녹화 프로그램이 소리를 처리하지 못했습니다.</translation>
    </message>
    <message>
        <source>The microphone was disconnected.</source>
        <translation>마이크 연결이 끊겼습니다.</translation>
    </message>
    <message>
        <source>The microphone sent no sound.</source>
        <translation>마이크가 소리를 보내지 않았습니다.</translation>
    </message>
    <message>
        <source>The sound system reported an error.</source>
        <translation>사운드 시스템이 오류를 보고했습니다.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop did not answer the request to share the screen in time. Press Start to try again; if it still does not answer, log out and in again, or log in with an X11 session to record the screen.</source>
        <translation>화면을 녹화할 수 없습니다: 데스크톱이 화면 공유 요청에 제때 응답하지 않았습니다. 시작을 눌러 다시 시도하십시오. 계속 응답하지 않으면 로그아웃했다가 다시 로그인하거나 X11 세션으로 로그인하여 화면을 녹화하십시오.</translation>
    </message>
    <message>
        <source>The recording has no sound: no microphone answered.</source>
        <translation>녹화에 소리가 없습니다: 응답한 마이크가 없습니다.</translation>
    </message>
    <message>
        <source>%1 to the end</source>
        <translation>%1부터 끝까지</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 외 %2곳</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1초</translation>
    </message>
    <message>
        <source>The sound is missing in %1 places, %2 in all: %3.</source>
        <translation>녹화의 %1곳에서 소리가 없습니다. 모두 %2: %3.</translation>
    </message>
    <message>
        <source>The screen cannot be recorded: the desktop&apos;s screen-sharing service (xdg-desktop-portal) failed without asking. Press Start to try again; if it fails again, log out and in again, or log in with an X11 session to record the screen.</source>
        <translation>화면을 녹화할 수 없습니다: 데스크톱의 화면 공유 서비스(xdg-desktop-portal)가 묻지 않고 실패했습니다. 시작을 눌러 다시 시도하십시오. 다시 실패하면 로그아웃했다가 다시 로그인하거나 X11 세션으로 로그인하여 화면을 녹화하십시오.</translation>
    </message>
</context>
<context>
    <name>IFigureFrame</name>
    <message>
        <source>Straight line</source>
        <translation>직선</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>원</translation>
    </message>
    <message>
        <source>Oval</source>
        <translation>타원</translation>
    </message>
    <message>
        <source>Triangle</source>
        <translation>삼각형</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>사각형</translation>
    </message>
</context>
<context>
    <name>IFocusFrame</name>
    <message>
        <source>Automatic</source>
        <translation>자동</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>초점</translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation>노출</translation>
    </message>
</context>
<context>
    <name>IImageTansformThread</name>
    <message>
        <source>empty picture</source>
        <translation>빈 사진</translation>
    </message>
</context>
<context>
    <name>IImgList</name>
    <message>
        <source>Delete</source>
        <translation>삭제</translation>
    </message>
    <message>
        <source>View</source>
        <translation>보기</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>다른 이름으로 저장</translation>
    </message>
    <message>
        <source>The picture could not be saved: %1</source>
        <translation>사진을 저장할 수 없습니다: %1</translation>
    </message>
    <message>
        <source>These files could not be deleted:
%1</source>
        <translation>다음 파일을 삭제할 수 없습니다:
%1</translation>
    </message>
    <message>
        <source>PNG File(*.png);;JPEG File(*.jpeg);;TIFF File(*.tiff);;PDF File (*.pdf);;BMP File(*.bmp)</source>
        <translation>PNG 파일(*.png);;JPEG 파일(*.jpeg);;TIFF 파일(*.tiff);;PDF 파일 (*.pdf);;BMP 파일(*.bmp)</translation>
    </message>
    <message>
        <source>请先选择左边列表文件</source>
        <translation>먼저 목록에서 사진을 선택하세요</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>저장</translation>
    </message>
    <message>
        <source>Save failed: unknown file type &quot;%1&quot;.</source>
        <translation>저장 실패: 알 수 없는 파일 형식 &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>These files already exist:
%1
Replace them?</source>
        <translation>다음 파일이 이미 있습니다:
%1
바꾸시겠습니까?</translation>
    </message>
    <message>
        <source>Save Successful.</source>
        <translation>저장했습니다.</translation>
    </message>
    <message>
        <source>Save failed for:
%1</source>
        <translation>저장 실패:
%1</translation>
    </message>
    <message>
        <source>Not replaced:
%1</source>
        <translation>바꾸지 않음:
%1</translation>
    </message>
    <message>
        <source>Save failed: %1</source>
        <translation>저장 실패: %1</translation>
    </message>
    <message>
        <source>Saved, but these pictures could not be read:
%1</source>
        <translation>저장했지만 다음 사진을 읽을 수 없습니다:
%1</translation>
    </message>
    <message>
        <source>No program to view the picture was found. It is saved at:
%1</source>
        <translation>사진을 볼 프로그램을 찾을 수 없습니다. 저장 위치:
%1</translation>
    </message>
</context>
<context>
    <name>IImgListThumbnail</name>
    <message>
        <source>Not a readable picture.</source>
        <translation>읽을 수 있는 사진이 아닙니다.</translation>
    </message>
    <message>
        <source>The picture is too large (%1 x %2).</source>
        <translation>사진이 너무 큽니다(%1 x %2).</translation>
    </message>
</context>
<context>
    <name>IImgListWidget</name>
    <message>
        <source>Gallery</source>
        <translation>갤러리</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>모두 선택</translation>
    </message>
    <message>
        <source>Deselect</source>
        <translation>선택 해제</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>파일 가져오기</translation>
    </message>
    <message>
        <source>Not imported:
%1</source>
        <translation>가져오지 못함:
%1</translation>
    </message>
    <message>
        <source>Imported, but not complete (the file is damaged or cut off):
%1</source>
        <translation>가져왔지만 완전하지 않음(파일이 손상되었거나 잘림):
%1</translation>
    </message>
</context>
<context>
    <name>IMacosPermissionBox</name>
    <message>
        <source>The application requires microphone access to record the audio.</source>
        <translation>소리를 녹음하려면 마이크 권한이 필요합니다.</translation>
    </message>
    <message>
        <source>The application requires Screen Recording access to record the video.</source>
        <translation>동영상을 녹화하려면 화면 녹화 권한이 필요합니다.</translation>
    </message>
    <message>
        <source>Microphone Preferences...</source>
        <translation>마이크 설정...</translation>
    </message>
    <message>
        <source>Screen Recording Preferences...</source>
        <translation>화면 녹화 설정...</translation>
    </message>
</context>
<context>
    <name>IMagnifierFrame</name>
    <message>
        <source>Magnifier</source>
        <translation>돋보기</translation>
    </message>
</context>
<context>
    <name>IMainTitleWidget</name>
    <message>
        <source>Cameras</source>
        <translation>카메라</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>설정</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>최소화</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>최대화</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>복원</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
</context>
<context>
    <name>IMsgBox</name>
    <message>
        <source>OK</source>
        <translation>확인</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
</context>
<context>
    <name>IParameterFrame</name>
    <message>
        <source>Default</source>
        <translation>기본값</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>확인</translation>
    </message>
    <message>
        <source>Contrast </source>
        <translation>대비 </translation>
    </message>
    <message>
        <source>Brightness </source>
        <translation>밝기 </translation>
    </message>
    <message>
        <source>Saturation </source>
        <translation>채도 </translation>
    </message>
</context>
<context>
    <name>IPdfWriter</name>
    <message>
        <source>No picture selected.</source>
        <translation>선택한 사진이 없습니다.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1에 쓸 수 없습니다: %2</translation>
    </message>
</context>
<context>
    <name>IPictureCompareFrame</name>
    <message>
        <source>Please select a picture first</source>
        <translation>먼저 사진을 선택하세요</translation>
    </message>
</context>
<context>
    <name>IRecordVideo</name>
    <message>
        <source>The ffmpeg program is not installed.</source>
        <translation>ffmpeg 프로그램이 설치되어 있지 않습니다.</translation>
    </message>
    <message>
        <source>The recording cannot be written to its cache folder.</source>
        <translation>녹화를 캐시 폴더에 쓸 수 없습니다.</translation>
    </message>
    <message>
        <source>The screen recorder could not be started.</source>
        <translation>화면 녹화를 시작할 수 없습니다.</translation>
    </message>
    <message>
        <source>The recording could not be saved.</source>
        <translation>녹화를 저장할 수 없습니다.</translation>
    </message>
</context>
<context>
    <name>IRightToolBar</name>
    <message>
        <source>Board</source>
        <translation>칠판</translation>
    </message>
    <message>
        <source>Magnifier</source>
        <translation>돋보기</translation>
    </message>
    <message>
        <source>Zoom-in</source>
        <translation>확대</translation>
    </message>
    <message>
        <source>Zoom-out</source>
        <translation>축소</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>회전</translation>
    </message>
    <message>
        <source>Self-adapting</source>
        <translation>화면 맞춤</translation>
    </message>
</context>
<context>
    <name>ISettingFrame</name>
    <message>
        <source>Video</source>
        <translation>동영상</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>사진</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>설정</translation>
    </message>
    <message>
        <source>About</source>
        <translation>정보</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>저장</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>형식</translation>
    </message>
    <message>
        <source>Software:</source>
        <translation>프로그램:</translation>
    </message>
    <message>
        <source>Language switch:</source>
        <translation>언어 변경:</translation>
    </message>
    <message>
        <source>Software Version:</source>
        <translation>버전:</translation>
    </message>
    <message>
        <source>Restart the software, to activate the language setting.</source>
        <translation>언어 설정을 적용하려면 프로그램을 다시 시작하세요.</translation>
    </message>
    <message>
        <source>View video file path</source>
        <translation>폴더 보기</translation>
    </message>
    <message>
        <source>View picture file path</source>
        <translation>폴더 보기</translation>
    </message>
    <message>
        <source>Setup video file path</source>
        <translation>폴더 설정</translation>
    </message>
    <message>
        <source>Setup picture file path</source>
        <translation>폴더 설정</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>열기</translation>
    </message>
    <message>
        <source>Confirm modification?</source>
        <translation>변경하시겠습니까?</translation>
    </message>
    <message>
        <source>No program to show the folder was found. The folder is:
%1</source>
        <translation>폴더를 표시할 프로그램을 찾을 수 없습니다. 폴더:
%1</translation>
    </message>
</context>
<context>
    <name>ISmallCameraFrame</name>
    <message>
        <source>Picture-in-picture</source>
        <translation>화면 속 화면</translation>
    </message>
    <message>
        <source>No camera device available</source>
        <translation>사용할 수 있는 카메라가 없습니다</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>카메라</translation>
    </message>
</context>
<context>
    <name>IThicknessFrame</name>
    <message>
        <source>%1 thickness</source>
        <translation>굵기 %1</translation>
    </message>
</context>
<context>
    <name>ITimelapseButton</name>
    <message>
        <source>sec</source>
        <translation>초</translation>
    </message>
</context>
<context>
    <name>ITimelapseFrame</name>
    <message>
        <source>Start</source>
        <translation>시작</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>중지</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>일시 정지</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>계속</translation>
    </message>
    <message>
        <source>A time-lapse picture could not be taken; the next one follows in %1 s.</source>
        <translation>타임랩스 사진을 찍지 못했습니다. 다음 사진은 %1초 후에 찍습니다.</translation>
    </message>
</context>
<context>
    <name>ITimelapseTimes</name>
    <message>
        <source>Shot</source>
        <translation>촬영</translation>
    </message>
    <message>
        <source>Next in</source>
        <translation>다음</translation>
    </message>
    <message>
        <source>Missed %1</source>
        <translation>누락 %1</translation>
    </message>
</context>
<context>
    <name>ITimerCaptureControlFrame</name>
    <message>
        <source>Start</source>
        <translation>시작</translation>
    </message>
    <message>
        <source>Halt</source>
        <translation>일시 정지</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>중지</translation>
    </message>
</context>
<context>
    <name>ITimerCaptureFrame</name>
    <message>
        <source>Please input integer greater than 0.</source>
        <translation>0보다 큰 정수를 입력하세요.</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>확인</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>Interval Time</source>
        <translation>간격</translation>
    </message>
    <message>
        <source>Capture Pages</source>
        <translation>촬영 매수</translation>
    </message>
</context>
<context>
    <name>IVideoRecordFrame</name>
    <message>
        <source>Full screen</source>
        <translation>전체 화면</translation>
    </message>
    <message>
        <source>自动判断</source>
        <translation>자동</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>종료</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>시작</translation>
    </message>
    <message>
        <source>Halt</source>
        <translation>일시 정지</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>중지</translation>
    </message>
    <message>
        <source>No microphone: recording without sound</source>
        <translation>마이크 없음: 소리 없이 녹화합니다</translation>
    </message>
    <message>
        <source>Waiting for the desktop&apos;s permission to share the screen...</source>
        <translation>데스크톱의 화면 공유 허가를 기다리는 중...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>The desktop does not tell where this window is: the whole screen is recorded</source>
        <translation>데스크톱이 이 창의 위치를 알려 주지 않습니다: 화면 전체를 녹화합니다</translation>
    </message>
    <message>
        <source>The microphone is gone: no sound is recorded until it is back</source>
        <translation>마이크가 연결되지 않았습니다: 다시 연결될 때까지 소리가 녹음되지 않습니다</translation>
    </message>
    <message>
        <source>Saving the last recording...</source>
        <translation>마지막 녹화를 저장하는 중...</translation>
    </message>
</context>
<context>
    <name>IVideoRecordMsgBox</name>
    <message>
        <source>Screen recording</source>
        <translation>화면 녹화</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>파일 열기</translation>
    </message>
    <message>
        <source>Open directory</source>
        <translation>폴더 열기</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>No program to open it was found. It is at:
%1</source>
        <translation>열 수 있는 프로그램을 찾을 수 없습니다. 위치:
%1</translation>
    </message>
</context>
<context>
    <name>ImageView</name>
    <message>
        <source>Please select a picture first</source>
        <translation>먼저 사진을 선택하세요</translation>
    </message>
</context>
<context>
    <name>MainFrame</name>
    <message>
        <source>The time-lapse video could not be written completely: %1</source>
        <translation>타임랩스 동영상을 모두 쓰지 못했습니다: %1</translation>
    </message>
    <message>
        <source>The camera is not available, or it is caused by power failure, poor contact and being pulled out. Please check the equipment.</source>
        <translation>카메라를 사용할 수 없습니다. 전원 문제, 접촉 불량 또는 분리가 원인일 수 있습니다. 장치를 확인하세요.</translation>
    </message>
    <message>
        <source>Resolution settings failed, please re-select.</source>
        <translation>해상도를 설정하지 못했습니다. 다시 선택하세요.</translation>
    </message>
    <message>
        <source>No ocumetra device is found! The possible reasons could be: 1. Ocumetra is not connected properly. 2. Driver program is not installed successfully. 3. The device is damaged.</source>
        <translation>Ocumetra 장치를 찾을 수 없습니다! 가능한 원인: 1. Ocumetra가 제대로 연결되지 않았습니다. 2. 드라이버가 제대로 설치되지 않았습니다. 3. 장치가 손상되었습니다.</translation>
    </message>
    <message>
        <source>Saving, please wait!</source>
        <translation>저장 중입니다. 잠시 기다려 주세요!</translation>
    </message>
    <message>
        <source>Taking the photo failed, please try again.</source>
        <translation>촬영에 실패했습니다. 다시 시도하세요.</translation>
    </message>
    <message>
        <source>The picture could not be saved: %1</source>
        <translation>사진을 저장할 수 없습니다: %1</translation>
    </message>
    <message>
        <source>Video is saved.</source>
        <translation>동영상을 저장했습니다.</translation>
    </message>
    <message>
        <source>Current resolution: 1920*1080</source>
        <translation>현재 해상도: 1920*1080</translation>
    </message>
    <message>
        <source>The time-lapse video could not be started.</source>
        <translation>타임랩스 동영상을 시작할 수 없습니다.</translation>
    </message>
    <message>
        <source>No video was written.</source>
        <translation>저장된 동영상이 없습니다.</translation>
    </message>
    <message>
        <source>There is no picture to copy.</source>
        <translation>복사할 사진이 없습니다.</translation>
    </message>
    <message>
        <source>Succeed!</source>
        <translation>완료!</translation>
    </message>
    <message>
        <source>请先选择左边列表文件</source>
        <translation>먼저 목록에서 사진을 선택하세요</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>저장</translation>
    </message>
    <message>
        <source>PDF File (*.pdf)</source>
        <translation>PDF 파일 (*.pdf)</translation>
    </message>
    <message>
        <source>Save failed. %1</source>
        <translation>저장 실패. %1</translation>
    </message>
    <message>
        <source>Saved, but these pictures could not be read and left empty pages:
%1</source>
        <translation>저장했지만 다음 사진을 읽을 수 없어 빈 페이지로 남았습니다:
%1</translation>
    </message>
    <message>
        <source>Save Successful.</source>
        <translation>저장했습니다.</translation>
    </message>
</context>
</TS>
