#include "controls/ClickReport.h"

ClickReport clickReportFor(int clickCount, int rowTag) {
    if (rowTag < 0) return ClickReport::Nothing;
    return clickCount == 1 ? ClickReport::SingleClick : ClickReport::DoubleClick;
}
