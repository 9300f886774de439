// The Windows handles and long-lived drawing objects of the one main window.
#include "core/shell_win.h"

#include <cwchar>

GdiKit gdi;
Shell shell;

namespace {

// Every font is made from the same description; only face, height and weight
// differ. Fixed pitch keeps the numbers of the readout in their columns.
HFONT makeFont(const wchar_t* face, LONG height, LONG weight) {
    LOGFONTW lf = {};
    lf.lfHeight = height;
    lf.lfWidth = 0;
    lf.lfEscapement = 0;
    lf.lfOrientation = 0;
    lf.lfWeight = weight;
    lf.lfItalic = 0;
    lf.lfUnderline = 0;
    lf.lfStrikeOut = 0;
    lf.lfCharSet = ANSI_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = PROOF_QUALITY;
    lf.lfPitchAndFamily = FIXED_PITCH;
    std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

}  // namespace

void createGdiKit() {
    const COLORREF bg = app.settings.bgColor;
    gdi.bgBrush = CreateSolidBrush(bg);
    gdi.bgPen = CreatePen(PS_SOLID, 1, bg);
    gdi.blackBrush = (HBRUSH)GetStockObject(BLACK_BRUSH);
    gdi.whitePen = (HPEN)GetStockObject(WHITE_PEN);
    gdi.blackPen3 = CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
    gdi.grayPen3 = CreatePen(PS_SOLID, 3, RGB(0xA0, 0xA0, 0xA0));
    gdi.whitePen5 = CreatePen(PS_SOLID, 5, RGB(0xFF, 0xFF, 0xFF));
    gdi.whitePen9 = CreatePen(PS_SOLID, 9, RGB(0xFF, 0xFF, 0xFF));
    gdi.valueFont = makeFont(L"FangSong", 16, FW_BOLD);
    gdi.controlFont = makeFont(L"Cambria", 16, FW_NORMAL);
    gdi.symbolFont = makeFont(L"Segoe UI Symbol", 24, FW_NORMAL);
    gdi.cursors[DragIdle] = LoadCursorW(NULL, IDC_ARROW);
    gdi.cursors[DragOverMarkerZone] = LoadCursorW(shell.hInstance, L"C1");
    gdi.cursors[DragColor] = LoadCursorW(shell.hInstance, L"C2");
    gdi.cursors[DragGradient] = LoadCursorW(shell.hInstance, L"C3");
}
