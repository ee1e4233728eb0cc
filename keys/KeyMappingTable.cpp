// The key and macro tables: every assignable code with its long name, scan code and cell label.
#include "CKeyTable.h"

#include <cstddef>

// Every table here is built by constant expressions, so all of them are in place before any
// other static initialiser can look at them; the derived tables never see an empty source.
namespace {

constexpr std::size_t TRANSCRIBED_ROWS = 288;
constexpr std::size_t BACKLIGHT_OUTPUTS = 5;
constexpr std::size_t BACKLIGHT_OPERATIONS = 9;
constexpr std::size_t BACKLIGHT_ROWS = BACKLIGHT_OUTPUTS * BACKLIGHT_OPERATIONS;
static_assert(TRANSCRIBED_ROWS + BACKLIGHT_ROWS == CKeyTable::KEY_ROWS);

// Non-ASCII characters are written as universal character names so that the names do not depend
// on the source character set a compiler assumes.
// clang-format off
constexpr KeyMapping TRANSCRIBED[TRANSCRIBED_ROWS] = {
    //        code,    long name                                            scan,   short name
    /*   0 */ {0xFFFF, L"None",                                               0x0000, L""},
    /*   1 */ {0x0004, L"Keyboard a and A",                                   0x001E, L"A"},
    /*   2 */ {0x0005, L"Keyboard b and B",                                   0x0030, L"B"},
    /*   3 */ {0x0006, L"Keyboard c and C",                                   0x002E, L"C"},
    /*   4 */ {0x0007, L"Keyboard d and D",                                   0x0020, L"D"},
    /*   5 */ {0x0008, L"Keyboard e and E",                                   0x0012, L"E"},
    /*   6 */ {0x0009, L"Keyboard f and F",                                   0x0021, L"F"},
    /*   7 */ {0x000A, L"Keyboard g and G",                                   0x0022, L"G"},
    /*   8 */ {0x000B, L"Keyboard h and H",                                   0x0023, L"H"},
    /*   9 */ {0x000C, L"Keyboard i and I",                                   0x0017, L"I"},
    /*  10 */ {0x000D, L"Keyboard j and J",                                   0x0024, L"J"},
    /*  11 */ {0x000E, L"Keyboard k and K",                                   0x0025, L"K"},
    /*  12 */ {0x000F, L"Keyboard l and L",                                   0x0026, L"L"},
    /*  13 */ {0x0010, L"Keyboard m and M",                                   0x0032, L"M"},
    /*  14 */ {0x0011, L"Keyboard n and N",                                   0x0031, L"N"},
    /*  15 */ {0x0012, L"Keyboard o and O",                                   0x0018, L"O"},
    /*  16 */ {0x0013, L"Keyboard p and P",                                   0x0019, L"P"},
    /*  17 */ {0x0014, L"Keyboard q and Q",                                   0x0010, L"Q"},
    /*  18 */ {0x0015, L"Keyboard r and R",                                   0x0013, L"R"},
    /*  19 */ {0x0016, L"Keyboard s and S",                                   0x001F, L"S"},
    /*  20 */ {0x0017, L"Keyboard t and T",                                   0x0014, L"T"},
    /*  21 */ {0x0018, L"Keyboard u and U",                                   0x0016, L"U"},
    /*  22 */ {0x0019, L"Keyboard v and V",                                   0x002F, L"V"},
    /*  23 */ {0x001A, L"Keyboard w and W",                                   0x0011, L"W"},
    /*  24 */ {0x001B, L"Keyboard x and X",                                   0x002D, L"X"},
    /*  25 */ {0x001C, L"Keyboard y and Y - German: z and Z",                 0x0015, L"Y"},
    /*  26 */ {0x001D, L"Keyboard z and Z - German: y and Y",                 0x002C, L"Z"},
    /*  27 */ {0x001E, L"Keyboard 1 and !",                                   0x0002, L"1"},
    /*  28 */ {0x001F, L"Keyboard 2 and @ - German: 2 and \\",                0x0003, L"2"},
    /*  29 */ {0x0020, L"Keyboard 3 and # - German: 3 and \u00A7",            0x0004, L"3"},
    /*  30 */ {0x0021, L"Keyboard 4 and $",                                   0x0005, L"4"},
    /*  31 */ {0x0022, L"Keyboard 5 and %",                                   0x0006, L"5"},
    /*  32 */ {0x0023, L"Keyboard 6 and ^ - German: 6 and &",                 0x0007, L"6"},
    /*  33 */ {0x0024, L"Keyboard 7 and & - German: 7 and /",                 0x0008, L"7"},
    /*  34 */ {0x0025, L"Keyboard 8 and * - German: 8 and (",                 0x0009, L"8"},
    /*  35 */ {0x0026, L"Keyboard 9 and ( - German: 9 and )",                 0x000A, L"9"},
    /*  36 */ {0x0027, L"Keyboard 0 and ) - German: 0 and =",                 0x000B, L"0"},
    /*  37 */ {0x0028, L"Keyboard Return",                                    0x001C, L"Return"},
    /*  38 */ {0x0029, L"Keyboard ESCAPE",                                    0x0001, L"Esc"},
    /*  39 */ {0x002A, L"Keyboard Backspace",                                 0x000E, L"Backspace"},
    /*  40 */ {0x002B, L"Keyboard Tab",                                       0x000F, L"Tab"},
    /*  41 */ {0x002C, L"Keyboard SPACE",                                     0x0039, L"Space"},
    /*  42 */ {0x002D, L"Keyboard - and _ - German: \u00DF and ?",            0x000C, L"-"},
    /*  43 */ {0x002E, L"Keyboard = and + - German: \u00B4 and `",            0x000D, L"="},
    /*  44 */ {0x002F, L"Keyboard [ and { - German: \u00FC and \u00DC",       0x001A, L"["},
    /*  45 */ {0x0030, L"Keyboard ] and } - German: + and *",                 0x001B, L"]"},
    /*  46 */ {0x0031, L"Keyboard \\ and | - German: # and \\",               0x002B, L"\\"},
    /*  47 */ {0x0032, L"Keyboard (non US) # and ~ ",                         0x0000, L"#2"},
    /*  48 */ {0x0033, L"Keyboard ; and : - German: \u00F6 and \u00D6",       0x0027, L";"},
    /*  49 */ {0x0034, L"Keyboard \u2018 and \" - German: \u00E4 and \u00C4", 0x0028, L"\""},
    /*  50 */ {0x0035, L"Keyboard ` and ~ - German: ^ and \u00B0",            0x0029, L"`"},
    /*  51 */ {0x0036, L"Keyboard , and < - German: , and ;",                 0x0033, L","},
    /*  52 */ {0x0037, L"Keyboard . and > - German: . and :",                 0x0034, L"."},
    /*  53 */ {0x0038, L"Keyboard / and ? - German: - and _",                 0x0035, L"/"},
    /*  54 */ {0x0039, L"Keyboard Caps Lock (not physically locking)",        0x003A, L"CapsLock"},
    /*  55 */ {0x003A, L"Keyboard F1",                                        0x003B, L"F1"},
    /*  56 */ {0x003B, L"Keyboard F2",                                        0x003C, L"F2"},
    /*  57 */ {0x003C, L"Keyboard F3",                                        0x003D, L"F3"},
    /*  58 */ {0x003D, L"Keyboard F4",                                        0x003E, L"F4"},
    /*  59 */ {0x003E, L"Keyboard F5",                                        0x003F, L"F5"},
    /*  60 */ {0x003F, L"Keyboard F6",                                        0x0040, L"F6"},
    /*  61 */ {0x0040, L"Keyboard F7",                                        0x0041, L"F7"},
    /*  62 */ {0x0041, L"Keyboard F8",                                        0x0042, L"F8"},
    /*  63 */ {0x0042, L"Keyboard F9",                                        0x0043, L"F9"},
    /*  64 */ {0x0043, L"Keyboard F10",                                       0x0044, L"F10"},
    /*  65 */ {0x0044, L"Keyboard F11",                                       0x0057, L"F11"},
    /*  66 */ {0x0045, L"Keyboard F12",                                       0x0058, L"F12"},
    /*  67 */ {0x0046, L"Keyboard Print Screen (Mac: F13)",                   0x0054, L"PrtScr"},
    /*  68 */ {0x0047, L"Keyboard Scroll Lock (Mac: F14)",                    0x0046, L"ScrollLock"},
    /*  69 */ {0x0048, L"Keyboard Pause (Mac: F15)",                          0x0045, L"Pause"},
    /*  70 */ {0x0049, L"Keyboard Insert (Mac: Help)",                        0x0152, L"Ins"},
    /*  71 */ {0x004A, L"Keyboard Home",                                      0x0147, L"Home"},
    /*  72 */ {0x004B, L"Keyboard PageUp",                                    0x0149, L"PgUp"},
    /*  73 */ {0x004C, L"Keyboard Delete Forward",                            0x0153, L"Del"},
    /*  74 */ {0x004D, L"Keyboard End",                                       0x014F, L"End"},
    /*  75 */ {0x004E, L"Keyboard PageDown",                                  0x0151, L"PgDn"},
    /*  76 */ {0x004F, L"Keyboard RightArrow",                                0x014D, L"Right"},
    /*  77 */ {0x0050, L"Keyboard LeftArrow",                                 0x014B, L"Left"},
    /*  78 */ {0x0051, L"Keyboard DownArrow",                                 0x0150, L"Down"},
    /*  79 */ {0x0052, L"Keyboard UpArrow",                                   0x0148, L"Up"},
    /*  80 */ {0x0053, L"Keypad NumLock and Clear",                           0x0145, L"NumLock"},
    /*  81 */ {0x0054, L"Keypad /",                                           0x0135, L"Num/"},
    /*  82 */ {0x0055, L"Keypad *",                                           0x0037, L"Num*"},
    /*  83 */ {0x0056, L"Keypad -",                                           0x004A, L"Num-"},
    /*  84 */ {0x0057, L"Keypad +",                                           0x004E, L"Num+"},
    /*  85 */ {0x0058, L"Keypad ENTER",                                       0x011C, L"Num-Enter"},
    /*  86 */ {0x0059, L"Keypad 1 and End",                                   0x004F, L"Num1"},
    /*  87 */ {0x005A, L"Keypad 2 and DownArrow",                             0x0050, L"Num2"},
    /*  88 */ {0x005B, L"Keypad 3 and PageDown",                              0x0051, L"Num3"},
    /*  89 */ {0x005C, L"Keypad 4 and LeftArrow",                             0x004B, L"Num4"},
    /*  90 */ {0x005D, L"Keypad 5",                                           0x004C, L"Num5"},
    /*  91 */ {0x005E, L"Keypad 6 and RightArrow",                            0x004D, L"Num6"},
    /*  92 */ {0x005F, L"Keypad 7 and Home",                                  0x0047, L"Num7"},
    /*  93 */ {0x0060, L"Keypad 8 and UpArrow",                               0x0048, L"Num8"},
    /*  94 */ {0x0061, L"Keypad 9 and PageUp",                                0x0049, L"Num9"},
    /*  95 */ {0x0062, L"Keypad 0 and Insert",                                0x0052, L"Num0"},
    /*  96 */ {0x0063, L"Keypad . and Delete",                                0x0053, L"Num."},
    /*  97 */ {0x0064, L"Keyboard non US \\ and | German: < and >",           0x0056, L"\\"},
    /*  98 */ {0x0065, L"Keyboard Application (Menu) ",                       0x015D, L"App"},
    /*  99 */ {0x0066, L"Keyboard Power",                                     0x0000, L"Power"},
    /* 100 */ {0x0067, L"Keypad =",                                           0x0000, L"Keypad ="},
    /* 101 */ {0x0068, L"Keyboard F13",                                       0x0000, L"F13"},
    /* 102 */ {0x0069, L"Keyboard F14",                                       0x0000, L"F14"},
    /* 103 */ {0x006A, L"Keyboard F15",                                       0x0000, L"F15"},
    /* 104 */ {0x006B, L"Keyboard F16",                                       0x0000, L"F16"},
    /* 105 */ {0x006C, L"Keyboard F17",                                       0x0000, L"F17"},
    /* 106 */ {0x006D, L"Keyboard F18",                                       0x0000, L"F18"},
    /* 107 */ {0x006E, L"Keyboard F19",                                       0x0000, L"F19"},
    /* 108 */ {0x006F, L"Keyboard F20",                                       0x0000, L"F20"},
    /* 109 */ {0x0070, L"Keyboard F21",                                       0x0000, L"F21"},
    /* 110 */ {0x0071, L"Keyboard F22",                                       0x0000, L"F22"},
    /* 111 */ {0x0072, L"Keyboard F23",                                       0x0000, L"F23"},
    /* 112 */ {0x0073, L"Keyboard F24",                                       0x0000, L"F24"},
    /* 113 */ {0x0074, L"Keyboard Execute",                                   0x0000, L"Execute"},
    /* 114 */ {0x0075, L"Keyboard Help",                                      0x0000, L"Help"},
    /* 115 */ {0x0076, L"Keyboard Menu",                                      0x0000, L"Menu"},
    /* 116 */ {0x0077, L"Keyboard Select",                                    0x0000, L"Select"},
    /* 117 */ {0x0078, L"Keyboard Stop",                                      0x0000, L"Stop"},
    /* 118 */ {0x0079, L"Keyboard Again",                                     0x0000, L"Again"},
    /* 119 */ {0x007A, L"Keyboard Undo",                                      0x0000, L"Undo"},
    /* 120 */ {0x007B, L"Keyboard Cut",                                       0x0000, L"Cut"},
    /* 121 */ {0x007C, L"Keyboard Copy",                                      0x0000, L"Copy"},
    /* 122 */ {0x007D, L"Keyboard Paste",                                     0x0000, L"Paste"},
    /* 123 */ {0x007E, L"Keyboard Find",                                      0x0000, L"Find"},
    /* 124 */ {0x007F, L"Keyboard Mute",                                      0x0000, L"Mute"},
    /* 125 */ {0x0080, L"Keyboard Volume Up",                                 0x0000, L"VolUp"},
    /* 126 */ {0x0081, L"Keyboard Volume Down",                               0x0000, L"VolDn"},
    /* 127 */ {0x0082, L"Keyboard Locking Caps Lock",                         0x0000, L"LockCaps"},
    /* 128 */ {0x0083, L"Keyboard Locking Num Lock",                          0x0000, L"LockNum"},
    /* 129 */ {0x0084, L"Keyboard Locking Scroll Lock",                       0x0000, L"LockScrol"},
    /* 130 */ {0x0085, L"Keypad Comma",                                       0x0000, L"Keypad ,"},
    /* 131 */ {0x0086, L"Keypad Equal Sign",                                  0x0000, L"Keypad Equal"},
    /* 132 */ {0x0087, L"Keyboard Kanji1",                                    0x0000, L"Inatl1"},
    /* 133 */ {0x0088, L"Keyboard Kanji2",                                    0x0000, L"Inatl2"},
    /* 134 */ {0x0089, L"Keyboard Kanji3",                                    0x0000, L"Inatl3"},
    /* 135 */ {0x008A, L"Keyboard Kanji4",                                    0x0000, L"Inatl4"},
    /* 136 */ {0x008B, L"Keyboard Kanji5",                                    0x0000, L"Inatl5"},
    /* 137 */ {0x008C, L"Keyboard Kanji6",                                    0x0000, L"Inatl6"},
    /* 138 */ {0x008D, L"Keyboard Kanji7",                                    0x0000, L"Inatl7"},
    /* 139 */ {0x008E, L"Keyboard Kanji8",                                    0x0000, L"Inatl8"},
    /* 140 */ {0x008F, L"Keyboard Kanji9",                                    0x0000, L"Inatl9"},
    /* 141 */ {0x0090, L"Keyboard LANG1",                                     0x0000, L"Lang1"},
    /* 142 */ {0x0091, L"Keyboard LANG2",                                     0x0000, L"Lang2"},
    /* 143 */ {0x0092, L"Keyboard LANG3",                                     0x0000, L"Lang3"},
    /* 144 */ {0x0093, L"Keyboard LANG4",                                     0x0000, L"Lang4"},
    /* 145 */ {0x0094, L"Keyboard LANG5",                                     0x0000, L"Lang5"},
    /* 146 */ {0x0095, L"Keyboard LANG6",                                     0x0000, L"Lang6"},
    /* 147 */ {0x0096, L"Keyboard LANG7",                                     0x0000, L"Lang7"},
    /* 148 */ {0x0097, L"Keyboard LANG8",                                     0x0000, L"Lang8"},
    /* 149 */ {0x0098, L"Keyboard LANG9 ",                                    0x0000, L"Lang9"},
    /* 150 */ {0x0099, L"Keyboard Alternate Erase",                           0x0000, L"AltErase"},
    /* 151 */ {0x009A, L"Keyboard SysReq/Attention",                          0x0000, L"SysReq"},
    /* 152 */ {0x009B, L"Keyboard Cancel",                                    0x0000, L"Cancel"},
    /* 153 */ {0x009C, L"Keyboard Clear",                                     0x0000, L"Clear"},
    /* 154 */ {0x009D, L"Keyboard Prior",                                     0x0000, L"Prior"},
    /* 155 */ {0x009E, L"Keyboard Return",                                    0x0000, L"Return"},
    /* 156 */ {0x009F, L"Keyboard Separator",                                 0x0000, L"Sep"},
    /* 157 */ {0x00A0, L"Keyboard Out",                                       0x0000, L"Out"},
    /* 158 */ {0x00A1, L"Keyboard Oper",                                      0x0000, L"Oper"},
    /* 159 */ {0x00A2, L"Keyboard Clear/Again",                               0x0000, L"ClrAgain"},
    /* 160 */ {0x00A3, L"Keyboard CrSel/Props",                               0x0000, L"CrSe"},
    /* 161 */ {0x00A4, L"Keyboard ExSel",                                     0x0000, L"ExSe"},
    /* 162 */ {0x00B0, L"Keypad 00",                                          0x0000, L"Keypad 00"},
    /* 163 */ {0x00B1, L"Keypad 000",                                         0x0000, L"Keypad 000"},
    /* 164 */ {0x00B2, L"Thousands Separator",                                0x0000, L"Tsd. sep."},
    /* 165 */ {0x00B3, L"Decimal Separator",                                  0x0000, L"Dec. sep."},
    /* 166 */ {0x00B4, L"Currency Unit",                                      0x0000, L"Currency"},
    /* 167 */ {0x00B5, L"Currency Sub-unit",                                  0x0000, L"Sub currency"},
    /* 168 */ {0x00B6, L"Keypad (",                                           0x0000, L"Keypad ("},
    /* 169 */ {0x00B7, L"Keypad )",                                           0x0000, L"Keypad )"},
    /* 170 */ {0x00B8, L"Keypad {",                                           0x0000, L"Keypad {"},
    /* 171 */ {0x00B9, L"Keypad }",                                           0x0000, L"Keypad }"},
    /* 172 */ {0x00BA, L"Keypad Tab",                                         0x0000, L"Keypad Tab"},
    /* 173 */ {0x00BB, L"Keypad Backspace",                                   0x0000, L"Keypad Back"},
    /* 174 */ {0x00BC, L"Keypad A",                                           0x0000, L"Keypad A"},
    /* 175 */ {0x00BD, L"Keypad B",                                           0x0000, L"Keypad B"},
    /* 176 */ {0x00BE, L"Keypad C",                                           0x0000, L"Keypad C"},
    /* 177 */ {0x00BF, L"Keypad D",                                           0x0000, L"Keypad D"},
    /* 178 */ {0x00C0, L"Keypad E",                                           0x0000, L"Keypad E"},
    /* 179 */ {0x00C1, L"Keypad F",                                           0x0000, L"Keypad F"},
    /* 180 */ {0x00C2, L"Keypad XOR",                                         0x0000, L"Keypad XOR"},
    /* 181 */ {0x00C3, L"Keypad ^",                                           0x0000, L"Keypad ^"},
    /* 182 */ {0x00C4, L"Keypad %",                                           0x0000, L"Keypad %"},
    /* 183 */ {0x00C5, L"Keypad <",                                           0x0000, L"Keypad <"},
    /* 184 */ {0x00C6, L"Keypad >",                                           0x0000, L"Keypad >"},
    /* 185 */ {0x00C7, L"Keypad &",                                           0x0000, L"Keypad &"},
    /* 186 */ {0x00C8, L"Keypad &&",                                          0x0000, L"Keypad &&"},
    /* 187 */ {0x00C9, L"Keypad |",                                           0x0000, L"Keypad |"},
    /* 188 */ {0x00CA, L"Keypad ||",                                          0x0000, L"Keypad ||"},
    /* 189 */ {0x00CB, L"Keypad :",                                           0x0000, L"Keypad :"},
    /* 190 */ {0x00CC, L"Keypad #",                                           0x0000, L"Keypad #"},
    /* 191 */ {0x00CD, L"Keypad Space",                                       0x0000, L"Keypad Space"},
    /* 192 */ {0x00CE, L"Keypad @",                                           0x0000, L"Keypad @"},
    /* 193 */ {0x00CF, L"Keypad !",                                           0x0000, L"Keypad !"},
    /* 194 */ {0x00D0, L"Keypad Memory Store",                                0x0000, L"Keypad MS"},
    /* 195 */ {0x00D1, L"Keypad Memory Recall",                               0x0000, L"Keypad MR"},
    /* 196 */ {0x00D2, L"Keypad Memory Clear",                                0x0000, L"Keypad MC"},
    /* 197 */ {0x00D3, L"Keypad Memory Add",                                  0x0000, L"Keypad M+"},
    /* 198 */ {0x00D4, L"Keypad Memory Subtract",                             0x0000, L"Keypad M-"},
    /* 199 */ {0x00D5, L"Keypad Memory Multiply ",                            0x0000, L"Keypad M*"},
    /* 200 */ {0x00D6, L"Keypad Memory Divide",                               0x0000, L"Keypad M/"},
    /* 201 */ {0x00D7, L"Keypad +/-",                                         0x0000, L"Keypad +/-"},
    /* 202 */ {0x00D8, L"Keypad Clear",                                       0x0000, L"Keypad Clr"},
    /* 203 */ {0x00D9, L"Keypad Clear Entry",                                 0x0000, L"Keypad Clr 2"},
    /* 204 */ {0x00DA, L"Keypad Binary",                                      0x0000, L"Keypad BIN"},
    /* 205 */ {0x00DB, L"Keypad Octal",                                       0x0000, L"Keypad OCT"},
    /* 206 */ {0x00DC, L"Keypad Decimal",                                     0x0000, L"Keypad DEC"},
    /* 207 */ {0x00DD, L"Keypad Hexadecimal",                                 0x0000, L"Keypad HEX"},
    /* 208 */ {0x00E0, L"Keyboard LeftControl",                               0x001D, L"L-Ctr"},
    /* 209 */ {0x00E1, L"Keyboard LeftShift",                                 0x002A, L"L-Shift"},
    /* 210 */ {0x00E2, L"Keyboard LeftAlt (Option)",                          0x0038, L"L-Alt"},
    /* 211 */ {0x00E3, L"Keyboard LeftGUI (Windows/Command)",                 0x015B, L"L-Win"},
    /* 212 */ {0x00E4, L"Keyboard RightControl",                              0x011D, L"R-Ctr"},
    /* 213 */ {0x00E5, L"Keyboard RightShift",                                0x0036, L"R-Shift"},
    /* 214 */ {0x00E6, L"Keyboard RightAlt (Option)",                         0x0138, L"R-Alt"},
    /* 215 */ {0x00E7, L"Keyboard RightGUI (Windows/Command)",                0x015C, L"R-Win"},
    /* 216 */ {0x00E8, L"Locking LeftControl",                                0x0000, L"Lock L-Ctrl"},
    /* 217 */ {0x00E9, L"Locking LeftShift",                                  0x0000, L"Lock L-Shift"},
    /* 218 */ {0x00EA, L"Locking LeftAlt (Option)",                           0x0000, L"Lock L-Alt"},
    /* 219 */ {0x00EB, L"Locking LeftGUI (Windows/Command)",                  0x0000, L"Lock L-GUI"},
    /* 220 */ {0x00EC, L"Locking RightControl",                               0x0000, L"Lock R-Ctrl"},
    /* 221 */ {0x00ED, L"Locking RightShift",                                 0x0000, L"Lock R-Shift"},
    /* 222 */ {0x00EE, L"Locking RightAlt (Option)",                          0x0000, L"Lock R-Alt"},
    /* 223 */ {0x00EF, L"Locking RightGUI (Windows/Command)",                 0x0000, L"Lock R-GUI"},
    /* 224 */ {0x00F0, L"Sticky LeftControl",                                 0x0000, L"Sticky L-Ctrl"},
    /* 225 */ {0x00F1, L"Sticky LeftShift",                                   0x0000, L"Sticky L-Shift"},
    /* 226 */ {0x00F2, L"Sticky LeftAlt (Option)",                            0x0000, L"Sticky L-Alt"},
    /* 227 */ {0x00F3, L"Sticky LeftGUI (Windows/Command)",                   0x0000, L"Sticky L-GUI"},
    /* 228 */ {0x00F4, L"Sticky RightControl",                                0x0000, L"Sticky R-Ctrl"},
    /* 229 */ {0x00F5, L"Sticky RightShift",                                  0x0000, L"Sticky R-Shift"},
    /* 230 */ {0x00F6, L"Sticky RightAlt (Option)",                           0x0000, L"Sticky R-Alt"},
    /* 231 */ {0x00F7, L"Sticky RightGUI (Windows/Command)",                  0x0000, L"Sticky R-GUI"},
    /* 232 */ {0x00F8, L"Reserved",                                           0x0000, L""},
    /* 233 */ {0x00F9, L"Counting FN-Key",                                    0x0000, L"Counting FN"},
    /* 234 */ {0x00FA, L"Sticky FN2",                                         0x0000, L"Sticky FN2"},
    /* 235 */ {0x00FB, L"Sticky FN1",                                         0x0000, L"Sticky FN1"},
    /* 236 */ {0x00FC, L"Locking FN2",                                        0x0000, L"Lock FN2"},
    /* 237 */ {0x00FD, L"Locking FN1",                                        0x0000, L"Lock FN1"},
    /* 238 */ {0x00FE, L"FN2",                                                0x0000, L"FN2"},
    /* 239 */ {0x00FF, L"FN1",                                                0x0000, L"FN1"},
    /* 240 */ {0x0100, L"Play",                                               0x0000, L"Play"},
    /* 241 */ {0x0101, L"Pause",                                              0x0000, L"Pause"},
    /* 242 */ {0x0102, L"Record",                                             0x0000, L"Record"},
    /* 243 */ {0x0103, L"Fast Forward",                                       0x0000, L"Fast Forward"},
    /* 244 */ {0x0104, L"Rewind",                                             0x0000, L"Rewind"},
    /* 245 */ {0x0105, L"Next Track",                                         0x0000, L"Next Track"},
    /* 246 */ {0x0106, L"Previous Track",                                     0x0000, L"Previous Track"},
    /* 247 */ {0x0107, L"Stop",                                               0x0000, L"Stop"},
    /* 248 */ {0x0108, L"Eject",                                              0x0000, L"Eject"},
    /* 249 */ {0x0109, L"Random Play",                                        0x0000, L"Random Play"},
    /* 250 */ {0x010A, L"Stop/Eject",                                         0x0000, L"Stop/Eject"},
    /* 251 */ {0x010B, L"Play/Pause",                                         0x0000, L"Play/Pause"},
    /* 252 */ {0x010C, L"Mute",                                               0x0000, L"Mute"},
    /* 253 */ {0x010D, L"Volume +",                                           0x0000, L"Volume +"},
    /* 254 */ {0x010E, L"Volume -",                                           0x0000, L"Volume -"},
    /* 255 */ {0x010F, L"Launch Word Processor",                              0x0000, L"Word App"},
    /* 256 */ {0x0110, L"Launch Text Editor",                                 0x0000, L"Text App"},
    /* 257 */ {0x0111, L"Launch Spreadsheet",                                 0x0000, L"Excel App"},
    /* 258 */ {0x0112, L"Launch Graphics Editor",                             0x0000, L"Gfx App"},
    /* 259 */ {0x0113, L"Launch Presentation App",                            0x0000, L"Present. App"},
    /* 260 */ {0x0114, L"Launch Database App",                                0x0000, L"DB App"},
    /* 261 */ {0x0115, L"Launch Emailer",                                     0x0000, L"Emailer"},
    /* 262 */ {0x0116, L"Launch Newsreader",                                  0x0000, L"Newsreader"},
    /* 263 */ {0x0117, L"Launch Voicemail",                                   0x0000, L"Voicemail"},
    /* 264 */ {0x0118, L"Launch Address Book",                                0x0000, L"Addr. Book"},
    /* 265 */ {0x0119, L"Launch Calendar",                                    0x0000, L"Calendar"},
    /* 266 */ {0x011A, L"Launch Calculator",                                  0x0000, L"Calculator"},
    /* 267 */ {0x011B, L"Launch Local Browser",                               0x0000, L"Explorer"},
    /* 268 */ {0x011C, L"Launch Internet Browser",                            0x0000, L"WWW"},
    /* 269 */ {0x011D, L"Command Line",                                       0x0000, L"Cmd Line"},
    /* 270 */ {0x011E, L"Help Center",                                        0x0000, L"Help Center"},
    /* 271 */ {0x011F, L"Find",                                               0x0000, L"Find"},
    /* 272 */ {0x0300, L"Mouse Right",                                        0x0000, L"Mouse Right"},
    /* 273 */ {0x0301, L"Mouse Left",                                         0x0000, L"Mouse Left"},
    /* 274 */ {0x0302, L"Mouse Down",                                         0x0000, L"Mouse Down"},
    /* 275 */ {0x0303, L"Mouse Up",                                           0x0000, L"Mouse Up"},
    /* 276 */ {0x0305, L"Mouse Down/Right (Rev. 101A)",                       0x0000, L"Mouse Down/Right"},
    /* 277 */ {0x0306, L"Mouse Down/Left (Rev. 101A)",                        0x0000, L"Mouse Down/Left"},
    /* 278 */ {0x0309, L"Mouse Up/Right (Rev. 101A)",                         0x0000, L"Mouse Up/Right"},
    /* 279 */ {0x030A, L"Mouse Up/Left (Rev. 101A)",                          0x0000, L"Mouse Up/Left"},
    /* 280 */ {0x0310, L"Mouse Left Button",                                  0x0000, L"Mouse L-Btn"},
    /* 281 */ {0x0311, L"Mouse Right Button",                                 0x0000, L"Mouse R-Btn"},
    /* 282 */ {0x0312, L"Mouse Center Button",                                0x0000, L"Mouse C-Button"},
    /* 283 */ {0x0313, L"Mouse Button 4",                                     0x0000, L"Mouse Btn 4"},
    /* 284 */ {0x0314, L"Mouse Button 5",                                     0x0000, L"Mouse Btn 5"},
    /* 285 */ {0x0315, L"Mouse Button 6",                                     0x0000, L"Mouse Btn 6"},
    /* 286 */ {0x0316, L"Mouse Button 7",                                     0x0000, L"Mouse Btn 7"},
    /* 287 */ {0x0317, L"Mouse Button 8",                                     0x0000, L"Mouse Btn 8"},
};
// clang-format on

// The backlight functions: code = 0x0400 + 16 * output + operation.
constexpr unsigned short BACKLIGHT_BASE = 0x0400;
constexpr unsigned short BACKLIGHT_OUTPUT_STRIDE = 0x0010;

constexpr const wchar_t *BACKLIGHT_OUTPUT_NAMES[BACKLIGHT_OUTPUTS] = {
    L"DAC0", L"DAC1", L"PWM0", L"PWM1", L"PWM2",
};

struct BacklightOperation
{
    const wchar_t *longName;
    const wchar_t *shortName;
};

// clang-format off
constexpr BacklightOperation BACKLIGHT_OPERATION_NAMES[BACKLIGHT_OPERATIONS] = {
    {L"Off",                L"Off"},
    {L"Max",                L"Max"},
    {L"step up",            L"step up"},
    {L"step down",          L"step down"},
    {L"step up+wrap",       L"step up+wrap"},
    {L"dimm up",            L"dimm up"},
    {L"dim down",           L"dim down"},
    {L"dim up/down",        L"dim up/down"},
    {L"toggle (Rev. 101B)", L"toggle"},
};
// clang-format on

// Storage for the composed backlight names; the rows point into it.
constexpr std::size_t BACKLIGHT_NAME_SIZE = 32;
struct BacklightNames
{
    wchar_t longNames[BACKLIGHT_ROWS][BACKLIGHT_NAME_SIZE];
    wchar_t shortNames[BACKLIGHT_ROWS][BACKLIGHT_NAME_SIZE];
};

// Appends a terminated string; running past the buffer stops the constant evaluation.
constexpr void append(wchar_t (&dest)[BACKLIGHT_NAME_SIZE], std::size_t &length,
                      const wchar_t *text)
{
    while (*text)
        dest[length++] = *text++;
    dest[length] = L'\0';
}

constexpr BacklightNames makeBacklightNames()
{
    BacklightNames names {};
    for (std::size_t output = 0; output < BACKLIGHT_OUTPUTS; ++output) {
        for (std::size_t operation = 0; operation < BACKLIGHT_OPERATIONS; ++operation) {
            const std::size_t row = output * BACKLIGHT_OPERATIONS + operation;
            std::size_t length = 0;
            append(names.longNames[row], length, BACKLIGHT_OUTPUT_NAMES[output]);
            append(names.longNames[row], length, L" ");
            append(names.longNames[row], length, BACKLIGHT_OPERATION_NAMES[operation].longName);
            length = 0;
            // The cell label shows the output above the operation.
            append(names.shortNames[row], length, BACKLIGHT_OUTPUT_NAMES[output]);
            append(names.shortNames[row], length, L"\n");
            append(names.shortNames[row], length, BACKLIGHT_OPERATION_NAMES[operation].shortName);
        }
    }
    return names;
}

constexpr BacklightNames BACKLIGHT_NAMES = makeBacklightNames();

constexpr std::array<KeyMapping, CKeyTable::KEY_ROWS> makeKeyMapping()
{
    std::array<KeyMapping, CKeyTable::KEY_ROWS> rows {};
    for (std::size_t row = 0; row < TRANSCRIBED_ROWS; ++row)
        rows[row] = TRANSCRIBED[row];
    for (std::size_t row = 0; row < BACKLIGHT_ROWS; ++row) {
        const std::size_t output = row / BACKLIGHT_OPERATIONS;
        const std::size_t operation = row % BACKLIGHT_OPERATIONS;
        const auto code = static_cast<unsigned short>(
            BACKLIGHT_BASE + output * BACKLIGHT_OUTPUT_STRIDE + operation);
        rows[TRANSCRIBED_ROWS + row]
            = {code, BACKLIGHT_NAMES.longNames[row], 0, BACKLIGHT_NAMES.shortNames[row]};
    }
    return rows;
}

constexpr std::array<KeyMapping, CKeyTable::KEY_ROWS> KEY_MAPPING = makeKeyMapping();

// The macro vocabulary is the leading part of the key table: "None", the keys and the modifiers.
constexpr std::array<KeyMapping, CKeyTable::MACRO_ROWS> makeMacroMapping()
{
    std::array<KeyMapping, CKeyTable::MACRO_ROWS> rows {};
    for (std::size_t row = 0; row < rows.size(); ++row)
        rows[row] = KEY_MAPPING[row];
    return rows;
}

// The eight plain modifier rows, Left Control first.
constexpr std::size_t MODIFIER_ROW = 208;
constexpr std::size_t MODIFIER_COUNT = 8;
static_assert(KEY_MAPPING[MODIFIER_ROW].code == 0x00E0
              && KEY_MAPPING[MODIFIER_ROW + MODIFIER_COUNT - 1].code == 0x00E7);
static_assert(MODIFIER_ROW + MODIFIER_COUNT == CKeyTable::MACRO_ROWS);

// The system-key maps keep the modifier rows' long names and scan codes under their own labels.
constexpr std::array<KeyMapping, MODIFIER_COUNT>
makeSystemKeysMap(unsigned short firstCode, const wchar_t *const (&shortNames)[MODIFIER_COUNT])
{
    std::array<KeyMapping, MODIFIER_COUNT> rows {};
    for (std::size_t i = 0; i < MODIFIER_COUNT; ++i) {
        const KeyMapping &modifier = KEY_MAPPING[MODIFIER_ROW + i];
        rows[i] = {static_cast<unsigned short>(firstCode + i), modifier.longName, modifier.scanCode,
                   shortNames[i]};
    }
    return rows;
}

constexpr const wchar_t *SYSTEM_KEYS_DOWN_LABELS[MODIFIER_COUNT] = {
    L"L-Ctr Down", L"L-Shift Down", L"L-Alt Down", L"L-Win Down",
    L"R-Ctr Down", L"R-Shift Down", L"R-Alt Down", L"R-Win Down",
};

constexpr const wchar_t *SYSTEM_KEYS_UP_LABELS[MODIFIER_COUNT] = {
    L"L-Ctr Up", L"L-Shift Up", L"L-Alt Up", L"L-Win Up",
    L"R-Ctr Up", L"R-Shift Up", L"R-Alt Up", L"R-Win Up",
};

} // namespace

const std::array<KeyMapping, CKeyTable::KEY_ROWS> CKeyTable::m_KeyMapping = KEY_MAPPING;
const std::array<KeyMapping, CKeyTable::MACRO_ROWS> CKeyTable::m_MacroMapping = makeMacroMapping();
const std::array<KeyMapping, 8> CKeyTable::m_SystemKeysDownMap
    = makeSystemKeysMap(0x00E0, SYSTEM_KEYS_DOWN_LABELS);
const std::array<KeyMapping, 8> CKeyTable::m_SystemKeysUpMap
    = makeSystemKeysMap(0x00E8, SYSTEM_KEYS_UP_LABELS);
