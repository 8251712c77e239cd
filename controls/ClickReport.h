#pragma once

// What a photo row reports once its click series is over.
enum class ClickReport { Nothing, SingleClick, DoubleClick };

// A row with a negative row number reports nothing; a count of 1 is a single click, any other a double one.
ClickReport clickReportFor(int clickCount, int rowTag);
