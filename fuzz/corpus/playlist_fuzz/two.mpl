/home/user/Movies/one.avi
/home/user/Movies/one.srt
/home/user/Movies/two.mkv
No subtitle
