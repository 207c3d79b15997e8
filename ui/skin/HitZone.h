#pragma once
// Where a press on a skinned window moves or sizes it: the zone under a point, the cursor that
// shows it, and the window edges that a press there drags.

#include <QPoint>
#include <QSize>
#include <Qt>

// Numbered as the window has always stored them (0 to 9).
enum class THitZone : quint8 {
    None,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
    Left,
    Right,
    Top,
    Bottom,
    Caption, // the top band: a press moves the window
};

// The zone of a point in a window of the given size (client coordinates). Corners come before
// edges, edges before the caption band; the resize zones exist only when the window is sizeable,
// and nothing reacts while it is maximised.
THitZone HitZoneAt(QPoint point, QSize size, bool sizeable, bool maximised);

Qt::CursorShape HitZoneCursor(THitZone zone);

// The edges a press in the zone sizes; none for the caption band (it moves) and for no zone.
Qt::Edges HitZoneEdges(THitZone zone);
