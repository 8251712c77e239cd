#include "editor/ProgressSheet.h"

#include "controls/GRProgressIndicator.h"
#include "controls/ImageLibrary.h"
#include "model/Utils.h"
#include "platform/Dispatch.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

#include <condition_variable>
#include <mutex>

namespace {

constexpr QSize kPhotoSize(220, 150);

QString htmlEscaped(const QString& text) {
    return text.toHtmlEscaped().replace(QStringLiteral("  "), QStringLiteral("&nbsp; "));
}

}  // namespace

// The thumbnail loads still going on; the sheet waits for them only in tests.
struct ProgressSheet::Pending {
    std::mutex mutex;
    std::condition_variable done;
    int loads = 0;
};

// The photo being written, or the placeholder picture while none is.
class ProgressSheet::PhotoView : public QWidget {
  public:
    explicit PhotoView(QWidget* parent) : QWidget(parent) { setFixedSize(kPhotoSize); }
    void setImage(const QImage& image) {
        m_image = image;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        if (m_image.isNull()) {
            const QSizeF natural = ImageLibrary::naturalSize(QStringLiteral("place_holder.png"));
            const QSizeF fitted = natural.scaled(QSizeF(width(), height()) * 0.8, Qt::KeepAspectRatio);
            ImageLibrary::draw(
                painter, QStringLiteral("place_holder.png"),
                QRectF(QPointF((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted));
            return;
        }
        const QSize size = m_image.size().scaled(this->size(), Qt::KeepAspectRatio);
        painter.drawImage(QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size), m_image);
    }

  private:
    QImage m_image;
};

ProgressSheet::ProgressSheet(QWidget* parent)
    : QDialog(parent, Qt::Sheet),
      m_photo(new PhotoView(this)),
      m_filePath(new QLabel(this)),
      m_progress(new GRProgressIndicator(this)),
      m_batchInfo(new QLabel(this)),
      m_processInfo(new QLabel(this)),
      m_stop(new QPushButton(QStringLiteral("Stop"), this)),
      m_pending(std::make_shared<Pending>()) {
    setObjectName(QStringLiteral("winProcessProgress"));
    setWindowTitle(QStringLiteral("Processing"));
    setWindowModality(Qt::WindowModal);
    setFixedSize(660, 350);
    setStyleSheet(QStringLiteral(
        "#winProcessProgress { background: #2d2d2d; }"
        "QLabel { color: #b8b8b8; }"
        "QLabel#title { color: white; font-size: 16px; font-weight: bold; }"
        "QPushButton { background: #c0392b; color: white; border: none; border-radius: 4px; padding: 6px 22px;"
        " font-weight: bold; }"
        "QPushButton:pressed { background: #a93226; }"));
    auto* title = new QLabel(QStringLiteral("Processing Photos"), this);
    title->setObjectName(QStringLiteral("title"));
    m_filePath->setTextFormat(Qt::PlainText);
    m_filePath->setAlignment(Qt::AlignCenter);
    m_progress->setMinValue(0);
    m_progress->setMaxValue(100);
    m_progress->setFixedHeight(20);
    m_batchInfo->setTextFormat(Qt::RichText);
    m_batchInfo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_processInfo->setTextFormat(Qt::RichText);
    m_processInfo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(8);
    layout->addWidget(title);
    layout->addWidget(m_photo, 0, Qt::AlignHCenter);
    layout->addWidget(m_filePath);
    layout->addWidget(m_batchInfo);
    layout->addWidget(m_progress);
    layout->addWidget(m_processInfo);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_stop);
    layout->addLayout(buttons);
    connect(m_stop, &QPushButton::clicked, this, &ProgressSheet::stopTapped);
    m_pause.setSingleShot(true);
    m_pause.setInterval(kThumbnailPauseMs);
    connect(&m_pause, &QTimer::timeout, this, &ProgressSheet::pauseEnded);
}

ProgressSheet::~ProgressSheet() = default;

void ProgressSheet::reject() {
    // Escape does not end a run; Stop does.
}

QString ProgressSheet::richText(const BatchInfoLine& line) {
    QString html = QStringLiteral("<span style=\"color:#b8b8b8\">");
    qsizetype at = 0;
    auto highlights = line.highlights;
    std::sort(highlights.begin(), highlights.end());
    for (const auto& [start, length] : highlights) {
        if (start < at) continue;
        html += htmlEscaped(line.text.mid(at, start - at));
        html += QStringLiteral("<span style=\"color:#ffffff\">") + htmlEscaped(line.text.mid(start, length)) +
                QStringLiteral("</span>");
        at = start + length;
    }
    return html + htmlEscaped(line.text.mid(at)) + QStringLiteral("</span>");
}

void ProgressSheet::setBatchInfo(const BatchInfoLine& line) {
    m_batchInfo->setText(richText(line));
}

void ProgressSheet::setProcessInfo(const BatchInfoLine& line) {
    const QString text = richText(line);
    if (m_processInfo->text() != text) m_processInfo->setText(text);
}

void ProgressSheet::setProgress(int percent) {
    m_progress->setDoubleValue(percent);
}

void ProgressSheet::setCurrentFile(const QString& filePath) {
    m_fullFilePath = filePath;
    m_filePath->setToolTip(filePath);
    m_filePath->setText(m_filePath->fontMetrics().elidedText(filePath, Qt::ElideMiddle, width() - 60));
}

void ProgressSheet::setCurrentPhoto(const QString& filePath) {
    m_photoPath = filePath;
    if (filePath.isEmpty()) {
        m_thumbnail = QImage();
        m_shownPath.clear();
        m_photo->setImage(QImage());
        return;
    }
    // One thumbnail is made at a time, always of the photo in hand, and a few a second at most: writers start
    // photos far faster than anyone can look at them, and every decoding takes a core away from the writers.
    if (!m_loading && !m_pause.isActive()) loadThumbnail(filePath);
}

void ProgressSheet::loadThumbnail(const QString& filePath) {
    m_loading = true;
    m_shownPath = filePath;
    std::shared_ptr<Pending> pending = m_pending;
    {
        std::lock_guard lock(pending->mutex);
        ++pending->loads;
    }
    QPointer<ProgressSheet> sheet(this);
    platform::dispatch::background([sheet, filePath, pending] {
        const QImage image = Utils::sharedUtils().getThumbnailImageAtFilePath(filePath, QSizeF(kPhotoSize));
        // The answer goes through the application, which outlives the sheet; a closed sheet drops it.
        platform::dispatch::onMain(qApp, [sheet, image] {
            if (sheet) sheet->thumbnailReady(image);
        });
        std::lock_guard lock(pending->mutex);
        --pending->loads;
        pending->done.notify_all();
    });
}

void ProgressSheet::thumbnailReady(const QImage& image) {
    m_loading = false;
    // A thumbnail that lands after the run ended leaves the placeholder alone.
    if (m_photoPath.isEmpty()) return;
    m_thumbnail = image;
    m_photo->setImage(image);
    m_pause.start();
}

void ProgressSheet::pauseEnded() {
    if (!m_photoPath.isEmpty() && m_photoPath != m_shownPath) loadThumbnail(m_photoPath);
}

void ProgressSheet::waitForThumbnail() {
    while (m_loading) {
        {
            std::unique_lock lock(m_pending->mutex);
            m_pending->done.wait(lock, [this] { return m_pending->loads == 0; });
        }
        QCoreApplication::sendPostedEvents(qApp);
    }
}
