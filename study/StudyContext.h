#pragma once
// What every page's logic works on: the one table, the window's state and the window itself.

#include "study/FormState.h"

class TDictTable;
class MainView;

struct StudyContext {
    TDictTable& table;
    FormState& state;
    MainView& view;
};
