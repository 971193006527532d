# Word list 1 starts with Shift+Space, and the list hotkeys type the start
# character.
setline vane.ini 6 'True/ ホットキーでのリスト表示で要素開始文字を表示する(true)かしない(false)か'
setline WordList1.txt 2 ShiftSpace
