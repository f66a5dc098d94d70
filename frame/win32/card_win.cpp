// The instruction card of the 640 x 480 full screen, its palette, and the
// version box.
#include "frame/fullscreen.h"
#include "frame/win32/program_win.h"

namespace frame {

namespace {

void FillCard(RECT* rect, DWORD pen) {
    DDBLTFX effects = {};
    effects.dwSize = sizeof effects;
    effects.dwFillColor = pen;
    Program.card->Blt(rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects);
}

} // namespace

void DrawInstructionCard() {
    if (!Program.card) return;
    const CardPlaces& card = Game().card;
    FillCard(nullptr, card.backgroundPen);
    RECT frame = {card.frame.left, card.frame.top, card.frame.right, card.frame.bottom};
    FillCard(&frame, card.framePen);

    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(Program.instance, "INSTCARD", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) return;
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HDC surface;
    if (Program.card->GetDC(&surface) == DD_OK) {
        for (Point at : {card.left, card.right})
            BitBlt(surface, at.x, at.y, card.cardWidth, card.cardHeight, memory, 0, 0, SRCCOPY);
        Program.card->ReleaseDC(surface);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
}

void LoadCardPalette() {
    HRSRC found = FindResourceA(Program.instance, "INSTCARD", MAKEINTRESOURCEA(2)); // RT_BITMAP
    if (!found) return;
    HGLOBAL loaded = LoadResource(Program.instance, found);
    const auto* header = loaded ? static_cast<const BITMAPINFOHEADER*>(LockResource(loaded)) : nullptr;
    if (!header) return;
    TakeCardPalette(Board(), header->biBitCount, header->biClrUsed,
                    reinterpret_cast<const uint8_t*>(header) + header->biSize);
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, 1);
                return TRUE;
            }
            return FALSE;
        default: return FALSE;
    }
}

} // namespace frame
