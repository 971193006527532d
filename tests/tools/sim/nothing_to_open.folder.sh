# The history and a word list decide at the word level without "t"; the word
# solo has no elements.
setline ClipBoad.txt 5 false
list WordList1.txt abc ';' '' '' false normal middle 2 / solo 'one word' / something 'more' x 'the x'
