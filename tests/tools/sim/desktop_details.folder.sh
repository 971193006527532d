# Word list 1 is read-only, as a file from a CD or another user can be.
chmod a-w WordList1.txt
