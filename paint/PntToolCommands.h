// Command ids of the tool palette's slots (52768..52797; 52788 is never used). They live with
// the control because its tool table names the command that chooses each tool.
#pragma once

#define ID_PNT_CUT                 52768
#define ID_PNT_COPY                52769
#define ID_PNT_PASTE               52770
#define ID_PNT_CLEAR               52771
#define ID_PNT_UNDO                52772
#define ID_PNT_REDO                52773
#define ID_PNT_MAGNIFY             52774
#define ID_PNT_SIZETOFIT           52775
#define ID_PNT_RESIZE              52776
#define ID_PNT_SELECTAREA          52777
#define ID_PNT_SELECTCOLOUR        52778
#define ID_PNT_SELECTTRANSCOLOUR   52779
#define ID_PNT_FLOODFILL           52780
#define ID_PNT_TEXT                52781
#define ID_PNT_AIRBRUSH            52782
#define ID_PNT_ERASER              52783
#define ID_PNT_PEN                 52784
#define ID_PNT_LINE                52785
#define ID_PNT_ERASERWIDTH         52786
#define ID_PNT_PENWIDTH            52787
#define ID_PNT_RECTANGLE           52789
#define ID_PNT_ROUNDRECT           52790
#define ID_PNT_ELLIPSE             52791
#define ID_PNT_FILLEDRECT          52792
#define ID_PNT_FILLEDROUNDRECT     52793
#define ID_PNT_FILLEDELLIPSE       52794
#define ID_PNT_FORECOLOUR          52795
#define ID_PNT_TRANSCOLOUR         52796
#define ID_PNT_FIRST               52768
#define ID_PNT_LAST                52797
