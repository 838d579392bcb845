// The built-in English interface texts, group by group in index order.
#include "texts/built_in_texts.h"

namespace texts::builtin {

const std::array<const char*, 67> kMessages = {
    "Error while reading video info from",  // 0
    "Unable to shutdown the computer!",     // 1
    "No movie found!",                      // 2
    "Can't open",                           // 3
    "for reading!",                         // 4
    "The file",                             // 5
    "is too big to be a subtitle!",         // 6
    "Can't read from",                      // 7
    "Unknown subtitle type!",               // 8
    "This text file appears to be a subtitle. However, it contains serious errors which can be "
    "corrected only with a specialized program (like Titlewright).",  // 9
    "File",                                                           // 10
    "doesn't exist!",                                                 // 11
    "Couldn't find any video file in",                                // 12
    "Error opening",                                                  // 13
    "is too big for a playlist file!",                                // 14
    "Error reading from",                                             // 15
    "Bad subtitle!",                                                  // 16
    "Subtitle already loaded!",                                       // 17
    "Nothing to save!",                                               // 18
    "Can't write in",                                                 // 19
    "Invalid video file or\r\ncodec not found!",                      // 20
    "The computer will be shutdown\r\nin",                            // 21
    "secondes",                                                       // 22
    "Volume",                                                         // 23
    "Close movie",                                                    // 24
    "Horizontal position",                                            // 25
    "Vertical position",                                              // 26
    "Center",                                                         // 27
    "Start position",                                                 // 28
    "End position",                                                   // 29
    "Mute on",                                                        // 30
    "Mute off",                                                       // 31
    "PanScan",                                                        // 32
    "PanScan off",                                                    // 33
    "Aspect Ratio",                                                   // 34
    "Subtitle enabled",                                               // 35
    "Subtitle disabled",                                              // 36
    "Subtitle time correction",                                       // 37
    "Bookmark added",                                                 // 38
    "Bookmarks erased",                                               // 39
    "Bookmark",                                                       // 40
    "Subtitle vertical position",                                     // 41
    "Subtitle size",                                                  // 42
    "Select a directory:",                                            // 43
    "Always on Top: on",                                              // 44
    "Always on Top: off",                                             // 45
    "Turn off computer after play: on",                               // 46
    "Turn off computer after play: off",                              // 47
    "original",                                                       // 48
    "free",                                                           // 49
    "Preamplification",                                               // 50
    "Automatic PanScan",                                              // 51
    "Movie mode on",                                                  // 52
    "Movie mode off",                                                 // 53
    "Dynamic amplification on",                                       // 54
    "Dynamic amplification off",                                      // 55
    "Video overlay not available!\r\nColor control, subtitle and OSD will not be visible. Please "
    "check video card settings, close all programs that are using the overlay and/or update the "
    "video codec",                                                              // 56
    "Should I associate",                                                       // 57
    "with all supported extensions?",                                           // 58
    "This is not a text!",                                                      // 59
    "Please select a movie!",                                                   // 60
    "Unable to capture frame!",                                                 // 61
    "saved...",                                                                 // 62
    "Display time",                                                             // 63
    "Display frames",                                                           // 64
    "Can't save the configuration !\r\nPlease remove the write protection...",  // 65
    "Can't write to Windows registry !\r\nPlease remove the write protection...\r\nUntil then I "
    "can't set or remove file associations !",  // 66
};

const std::array<const char*, 32> kHints = {
    "Close",                             // 0
    "Movie info",                        // 1
    "Click for frames",                  // 2
    "Click for times",                   // 3
    "Open movie(s)",                     // 4
    "Rewind",                            // 5
    "Play",                              // 6
    "Forward",                           // 7
    "Pause",                             // 8
    "Stop",                              // 9
    "Open subtitle",                     // 10
    "Previous",                          // 11
    "Next",                              // 12
    "Playlist",                          // 13
    "Remember previous movie settings",  // 14
    "Configuration",                     // 15
    "Minimize",                          // 16
    "Volume up",                         // 17
    "Volume down",                       // 18
    "Mute",                              // 19
    "Add movie(s)",                      // 20
    "Add folder",                        // 21
    "Remove selected movie",             // 22
    "Save playlist file",                // 23
    "Load playlist file",                // 24
    "Add subtitle",                      // 25
    "Show subtitles",                    // 26
    "Hide subtitles",                    // 27
    "Original Aspect Ratio",             // 28
    "Double click to open movie(s)",     // 29
    "Double click to open subtitle",     // 30
    "Shuffle",                           // 31
};

const std::array<const char*, 44> kLabels = {
    "Version",                                                // 0
    "... translation\r\nby: ...",                             // 1
    "Brightness",                                             // 2
    "Contrast",                                               // 3
    "Hue",                                                    // 4
    "Saturation",                                             // 5
    "Associated extensions",                                  // 6
    "Playlist font size:",                                    // 7
    "For full screen mode switch to",                         // 8
    "CPU priority:",                                          // 9
    "Second to jump rewind and forward:",                     // 10
    "Second to fast jump rewind and forward:",                // 11
    "Average vertical display\r\nzone from the bottom (%):",  // 12
    "Horizontal display area (%):",                           // 13
    "Average display time\r\nat 20 characters (ms):",         // 14
    "Video compression",                                      // 15
    "Nr. of video streams",                                   // 16
    "Time",                                                   // 17
    "Nr. of frames",                                          // 18
    "Resolution",                                             // 19
    "Frames per second",                                      // 20
    "Average video bitrate (Kbps)",                           // 21
    "Bit depth",                                              // 22
    "Nr. of audio streams",                                   // 23
    "Audio compression",                                      // 24
    "Average audio bitrate (Kbps)",                           // 25
    "Audio sample rate",                                      // 26
    "Audio channels",                                         // 27
    "from",                                                   // 28
    "No movie",                                               // 29
    "No subtitle",                                            // 30
    "Movie info",                                             // 31
    "Repeat off",                                             // 32
    "Repeat one",                                             // 33
    "Repeat all",                                             // 34
    "x",                                                      // 35
    "fps",                                                    // 36
    "Subtitle size (%):",                                     // 37
    "OSD size (%):",                                          // 38
    "OSD Color:",                                             // 39
    "Select capture format:",                                 // 40
    "Save capture in:",                                       // 41
    "Hide",                                                   // 42
    "Show",                                                   // 43
};

const std::array<const char*, 15> kButtons = {
    "Select all",             // 0
    "Select none",            // 1
    "Add extension",          // 2
    "Delete extension",       // 3
    "Subtitle font...",       // 4
    "Subtitle directory...",  // 5
    "OK",                     // 6
    "Cancel",                 // 7
    "Apply",                  // 8
    "Default",                // 9
    "Close",                  // 10
    "Default values",         // 11
    "Profiles editor",        // 12
    "Delete",                 // 13
    "Delete all",             // 14
};

const std::array<const char*, 12> kOptions = {
    "Register extensions on player start",  // 0
    "Auto play\rAuto hide main window\rAuto close video window\rClose movie when "
    "finished\rAuto close player when finished\rRemember movie settings\rRemember movie "
    "position\rShow names with full path as hints in playlist\rAllow multiple instances\rAt "
    "movie open load all movies from folder",  // 1
    "Always start in fullscreen mode\rRemember PanScan settings\rAutomatic PanScan\rAlways "
    "start in Movie mode\rLoad at original movie size\rPause on minimize\rOSD Display",  // 2
    "Transparent background\rUse outline font\rShadow effect\rAuto resize font if line is too "
    "long",  // 3
    "Auto load subtitle\rAuto split lines that are too long\rWrap all text\rAuto calculation "
    "time Min & Max display subtitle\rRemember subtitle settings\rDisable external subtitle "
    "filters",                                      // 4
    "Search here first instead of current folder",  // 5
    "No change",                                    // 6
    "High\rAbove normal\rNormal\rBelow normal",     // 7
    "Default",                                      // 8
    "Do not show this message in the future",       // 9
    "Enhanced outline",                             // 10
    "Boss Key",                                     // 11
};

const std::array<const char*, 4> kPages = {
    "General",     // 0
    "File types",  // 1
    "Subtitle",    // 2
    "Video",       // 3
};

const std::array<const char*, 15> kTitles = {
    "About",                 // 0
    "Aspect Ratio",          // 1
    "Color Control",         // 2
    "Configuration",         // 3
    "Info",                  // 4
    "Jump to time",          // 5
    "Key definitions",       // 6
    "Message",               // 7
    "PanScan",               // 8
    "Playlist",              // 9
    "Equalizer",             // 10
    "Load preset",           // 11
    "Save preset",           // 12
    "Profiles editor",       // 13
    "Choose subtitle font",  // 14
};

const std::array<const char*, 72> kMenus = {
    "Open movie(s)...\t\t",            // 0
    "Load subtitle...\t\t\t",          // 1
    "Recent files",                    // 2
    "Clear history",                   // 3
    "Play control",                    // 4
    "Play\t\t\t\t",                    // 5
    "Stop\t\t\t\t",                    // 6
    "Pause\t\t\t\t",                   // 7
    "Rewind\t\t\t\t",                  // 8
    "Forward\t\t\t",                   // 9
    "Fast rewind\t\t\t",               // 10
    "Fast forward\t\t\t",              // 11
    "Jump to time\t\t\t",              // 12
    "Bookmarks",                       // 13
    "Add bookmark\t\t\t",              // 14
    "Clear bookmarks\t\t",             // 15
    "Video",                           // 16
    "Change resolution",               // 17
    "Fullscreen\t\t",                  // 18
    "Color control...\t\t",            // 19
    "Movie mode\t\t",                  // 20
    "Aspect Ratio",                    // 21
    "Original\t\t",                    // 22
    "16:9\t\t",                        // 23
    "4:3\t\t",                         // 24
    "1:1\t\t",                         // 25
    "Free\t\t",                        // 26
    "Custom\t\t",                      // 27
    "Pan scan (fullscreen only)",      // 28
    "Pan in\t\t",                      // 29
    "Pan out\t",                       // 30
    "Automatic\t",                     // 31
    "Custom\t\t",                      // 32
    "Window Size",                     // 33
    "Audio",                           // 34
    "Volume up\t\t",                   // 35
    "Volume down\t\t",                 // 36
    "Equalizer\t\t",                   // 37
    "Subtitle",                        // 38
    "Font\t\t\t\t",                    // 39
    "Disable subtitle\t\t\t",          // 40
    "Decrease time (0.5 sec)\t\t",     // 41
    "Increase time (0.5 sec)\t\t",     // 42
    "Move up\t\t\t",                   // 43
    "Move down\t\t\t",                 // 44
    "Increase size (5%)\t\t",          // 45
    "Decrease size (5%)\t\t",          // 46
    "Advanced",                        // 47
    "Filters",                         // 48
    "Configuration...\t\t",            // 49
    "Key definitions...\t\t",          // 50
    "Playlist\t\t\t\t",                // 51
    "Always on Top\t\t\t",             // 52
    "About...\t\t\t",                  // 53
    "Turn off computer after play\t",  // 54
    "Exit",                            // 55
    "Add movie(s)",                    // 56
    "Add folder",                      // 57
    "Replace movie",                   // 58
    "Remove",                          // 59
    "Remove all",                      // 60
    "Sort by filename",                // 61
    "Randomize",                       // 62
    "Add subtitle",                    // 63
    "Left",                            // 64
    "Right",                           // 65
    "Down",                            // 66
    "Up",                              // 67
    "Dynamic amplification",           // 68
    "Send window to",                  // 69
    "Monitor",                         // 70
    "Capture frame\t\t\t",             // 71
};

// Misc[1]..Misc[4]: names of file-dialog filters; Misc[0] is composed from the lines below.
const std::array<const char*, 4> kMiscFilters = {
    "Subtitle files",           // 1
    "All files",                // 2
    "Video files",              // 3
    "Tarvelino playlist file",  // 4
};

const char* const kKeyDefinitionsHeader = "Action\t\t\t\tKey";

const std::array<const char*, 67> kKeyDefinitionLines = {
    "About\t\t\t\tCtrl+F1",
    "Activate Bookmark\t\t\tAlt+[1..9]",
    "Activate playlist\t\t\tAlt+P",
    "Add Bookmark\t\t\tAlt+I",
    "Add folder to playlist\t\tShift+L",
    "Always on Top\t\t\tT",
    "Aspect ratio\t\t\tCtrl+[1..5,], A",
    "Automatic PanScan\t\t*, Num *",
    "Capture frame\t\t\tAlt+C",
    "Change subtitle font\t\tCtrl+F",
    "Center picture\t\t\tShift+H, Num 5",
    "Clear Bookmarks\t\t\tShift+C",
    "Close movie\t\t\tCtrl+F4",
    "Close player\t\t\tAlt+F4, Alt+X",
    "Color control\t\t\tCtrl+C",
    "Configuration\t\t\tCtrl+P",
    "Decrease subtitle size\t\tCtrl+Down",
    "Exit color control\t\t\tEsc",
    "Exit equalizer\t\t\tEsc",
    "Exit fullscreen\t\t\tEsc",
    "Exit playlist\t\t\tEsc",
    "Fast Forward/Rewind\t\tCtrl+Left/Right, Ctrl+,/.",
    "Forward/Rewind\t\t\t,/. Left/Right",
    "Fullscreen Switch\t\t\tF, Alt+Enter, DblClick, Scroll Click",
    "Goto end\t\t\t\tEnd",
    "Goto start\t\t\tHome",
    "Increase subtitle size\t\tCtrl+Up",
    "Load subtitle\t\t\tCtrl+L",
    "Minimize\t\t\t\tCtrl+M",
    "Move element in playlist\t\tAlt+Up/Down",
    "Move picture down\t\t\tShift+N, Num 2",
    "Move picture left\t\t\tShift+G, Num 4",
    "Move picture right\t\t\tShift+J, Num 6",
    "Move picture up\t\t\tShift+Y, Num 8",
    "Move subtitle down\t\t\tShift+Down",
    "Move subtitle up\t\t\tShift+Up",
    "Movie Mode\t\t\tM",
    "Mute\t\t\t\tAlt+M",
    "Next\t\t\t\tB",
    "Open movie\t\t\tCtrl+O",
    "Pan in\t\t\t\t+, Num +",
    "Pan out\t\t\t\t-, Num -",
    "PanScan\t\t\t\tP",
    "PanScan off\t\t\t0, Num 0",
    "Pause\t\t\t\tC",
    "Play\t\t\t\tX",
    "Preamplification +/+\t\tAlt+Up/Down",
    "Previous\t\t\t\tZ",
    "Quick time/frame info\t\tQ",
    "Repeat on/off\t\t\tR",
    "Resize movie window\t\tScroll, +/-, Num +/-",
    "Set movie window size to 50%\t1",
    "Set movie window size to 100%\t2",
    "Set movie window size to 200%\t3",
    "Show/Hide equalizer\t\tE, Alt+G",
    "Show/Hide main window\t\tH, F12",
    "Show/Hide playlist\t\t\tAlt+E, F10",
    "Show/Hide system time\t\tI",
    "Stop\t\t\t\tV",
    "Subtitle time correction\t\tAlt+Left/Right. Alt+,/. ][",
    "Subtitles On/Off\t\t\tS",
    "Switch Play/Pause\t\t\tSpace",
    "Switch between time/frames\t\t/",
    "Turn off computer after play\t\tCtrl+T",
    "Video info\t\t\tF6",
    "Volume up/down\t\t\tUp/Down, scroll (fullscreen)",
    "Zoom cycle\t\t\tEnter",
};

}  // namespace texts::builtin
