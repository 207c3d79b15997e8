#pragma once
// The option values of the effect text renderer and of the labels that use it.

#include <QFlags>

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

enum class TfcVAlignment { vaTop, vaVCenter, vaBottom };

enum class TfcLabelStyle { fclsDefault, fclsLowered, fclsRaised, fclsOutline };

// toShowAccel: '&' marks an underlined accelerator letter ("&&" is a literal '&').
// toShowEllipsis: a line too long for its area ends in an ellipsis.
enum class TfcTextOption { toShowAccel = 0x1, toShowEllipsis = 0x2 };
Q_DECLARE_FLAGS(TfcTextOptions, TfcTextOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TfcTextOptions)

// The direction an extrusion grows; the same eight steps, in this order, give the outline copies.
enum class TfcOrientation {
    fcTopLeft,
    fcTopRight,
    fcBottomLeft,
    fcBottomRight,
    fcTop,
    fcRight,
    fcLeft,
    fcBottom
};
