Hue=5
[]
[one.avi]
Hue=7
Hue=9
hue=11
Unknown=1
[two.avi]
SubtitleFontName=Missing Face
[x
