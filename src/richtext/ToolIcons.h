#pragma once
// The icons a rich-text toolbar knows: their group and number as the icon
// event reports them, their hint (the English name) and their picture.

#include <QIcon>
#include <QList>
#include <QString>

namespace richtext {

enum class ToolIcon {
    Normal, Bold, Italic, Under, Hyperlink, StrikeOut, Sub, Super, Hidden, RTFCode,
    Left, Right, Justified, Center,
    Copy, Cut, Paste, SelAll, HideSel, Find, Replace, Spell,
    Exit, New, Open, Save, Close,
    Print, PrintSetup,
    Next, Prev, Add, Del, Edit, Cancel, ToStart, ToEnd, Post,
};

namespace IconGroup {
inline constexpr int Style = 256;
inline constexpr int Paragraph = 512;
inline constexpr int Edit = 768;
inline constexpr int File = 1024;
inline constexpr int Print = 1280;
inline constexpr int Database = 1536;
} // namespace IconGroup

struct ToolIconId {
    int group;
    int number;
    bool operator==(const ToolIconId &) const = default;
};

ToolIconId toolIconId(ToolIcon icon);
QString toolIconHint(ToolIcon icon);
// Drawn here, at the given size in device-independent pixels.
QIcon toolIconPicture(ToolIcon icon, int size = 20);
QList<ToolIcon> allToolIcons();

} // namespace richtext
