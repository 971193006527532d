# Word list 1 saved by today's Notepad (UTF-8, no mark), vane.ini with a mark.
iconv -f CP932 -t UTF-8 WordList1.txt > WordList1.new && mv WordList1.new WordList1.txt
{ printf '\xEF\xBB\xBF'; iconv -f CP932 -t UTF-8 vane.ini; } > vane.new && mv vane.new vane.ini
