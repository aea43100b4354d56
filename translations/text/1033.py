# English: the source texts are English except these few.
TEXT = {
    "拍照提示音": "Shutter sound",
    "请先选择左边列表文件": "Please select a picture in the list first",
    "自动判断": "Automatic",
}
