#pragma once
// CFont: owns a logical font handle and releases it when destroyed.
#include "gfx/font.h"
#include "win/export.h"
#include "win/types.h"

class VTLWIN_API CFont {
public:
    CFont() = default;
    ~CFont();
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    BOOL CreateFontIndirect(const LOGFONT* lf);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                    BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                    BYTE pitchAndFamily, const char* faceName);
    BOOL DeleteObject();
    HFONT GetSafeHandle() const { return font_; }
    operator HFONT() const { return font_; }
    int GetLogFont(LOGFONT* lf) const;

private:
    HFONT font_;
};
