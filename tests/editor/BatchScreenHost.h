#pragma once

#include <QWidget>

#include "tests/common/BatchRunDoubles.h"

namespace testsupport {

// A window standing in for the editing screen: it holds a batch, answers the run's questions about the form
// and records the steps the run takes on it.
class BatchScreenHost : public QWidget, public RecordingRunForm {
  public:
    BatchScreenHost() { resize(1000, 700); }
};

}  // namespace testsupport
