#pragma once
// Explanations run over several lines of Chinese. The bitmap CJK face the forms use at 12 pixels
// reports a line spacing of 12 pixels for glyphs 13 rows tall, so that one line's tops would lie
// under the line above: the controls that show explanations space their lines by the height the
// glyphs really take.

class QFont;

// At least the font's own line spacing; more where its Chinese glyphs are taller than that, so that
// one row stays free between two lines.
int ExplanationLineHeight(const QFont& font);
