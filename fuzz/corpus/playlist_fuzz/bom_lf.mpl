﻿/m/ä.avi
No subtitle
/m/b.avi
