#include "open_picture_dialog.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <optional>

#include "fitted_picture.h"
#include "preview_glyph.h"
#include "report_failure.h"
#include "silent_paint_panel.h"

namespace mosaren {

namespace {

// The strip the preview takes at the right of the dialog's own controls, and what lies in it.
constexpr int kPicturePanelWidth = 169;
constexpr int kPicturePanelBorder = 6;
constexpr int kPictureLabelHeight = 23;
constexpr QSize kPreviewButtonSize{23, 22};
constexpr int kPreviewButtonTop = 1;
// The room between the button's right edge and that of PaintPanel.
constexpr int kPreviewButtonGap = 2;

QString NoPictureCaption() { return QStringLiteral("(None)"); }

}  // namespace

TOpenPictureDialog::TOpenPictureDialog(Kind kind, QWidget& owner, PictureLoader load,
                                       MonitorSizeOf monitorSize)
    : TQtFileDialog(kind, owner), mLoad(std::move(load)), mMonitorSize(std::move(monitorSize)) {}

void TOpenPictureDialog::PrepareDialog(TFileDialogWindow& dialog) {
    PreviewArea area;
    area.Dialog = &dialog;
    area.PicturePanel = new QWidget(&dialog);
    area.PicturePanel->setObjectName(QStringLiteral("PicturePanel"));
    area.PicturePanel->setFixedWidth(kPicturePanelWidth);

    area.PictureLabel = new QLabel(mLabelText, area.PicturePanel);
    area.PictureLabel->setObjectName(QStringLiteral("PictureLabel"));
    area.PictureLabel->setFixedHeight(kPictureLabelHeight);
    area.PictureLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    area.PaintPanel = new TSilentPaintPanel(area.PicturePanel);
    area.PaintPanel->setObjectName(QStringLiteral("PaintPanel"));
    area.PaintBox = new TFittedPicture(area.PaintPanel);
    area.PaintBox->setObjectName(QStringLiteral("PaintBox"));
    auto* paintLayout = new QVBoxLayout(area.PaintPanel);
    paintLayout->setContentsMargins(0, 0, 0, 0);
    paintLayout->addWidget(area.PaintBox);

    auto* panelLayout = new QVBoxLayout(area.PicturePanel);
    panelLayout->setContentsMargins(kPicturePanelBorder, kPicturePanelBorder, kPicturePanelBorder,
                                    kPicturePanelBorder);
    panelLayout->setSpacing(0);
    panelLayout->addWidget(area.PictureLabel);
    panelLayout->addWidget(area.PaintPanel, 1);

    // Made after the label, so that it stands over it; placed by hand, outside the layout.
    area.PreviewButton = new QPushButton(area.PicturePanel);
    area.PreviewButton->setObjectName(QStringLiteral("PreviewButton"));
    area.PreviewButton->setFixedSize(kPreviewButtonSize);
    area.PreviewButton->setIcon(PreviewGlyphIcon());
    area.PreviewButton->setIconSize(QSize(16, 16));
    area.PreviewButton->setToolTip(QStringLiteral("Preview"));
    area.PreviewButton->setFocusPolicy(Qt::NoFocus);
    area.PreviewButton->setEnabled(mButtonEnabled);

    // Qt's own dialog lays its controls out in a grid; the preview takes a column of its own at
    // the right of them, as high as the dialog, and the dialog grows by that column so that its
    // own controls keep their room.
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        grid->addWidget(area.PicturePanel, 0, grid->columnCount(), grid->rowCount(), 1);
        dialog.resize(dialog.width() + std::max(0, grid->horizontalSpacing()) + kPicturePanelWidth,
                      dialog.height());
    }

    QObject::connect(&dialog, &TFileDialogWindow::Initialised, &dialog,
                     [this] { RunGuarded([this] { PlacePreview(); }); });
    QObject::connect(&dialog, &QFileDialog::currentChanged, &dialog,
                     [this](const QString& path) { RunGuarded([&] { UpdatePreview(path); }); });
    ConnectHandler(area.PreviewButton.data(), &QPushButton::clicked, &dialog,
                   [this] { ShowPreviewWindow(); });
    ConnectHandler(area.PaintBox.data(), &TFittedPicture::DoubleClicked, &dialog,
                   [this] { ShowPreviewWindow(); });
    mArea = area;
}

void TOpenPictureDialog::FinishDialog(TFileDialogWindow&) {
    QToolTip::hideText();
    if (mArea.PictureLabel) mLabelText = mArea.PictureLabel->text();
    if (mArea.PreviewButton) mButtonEnabled = mArea.PreviewButton->isEnabled();
    mArea = {};
}

void TOpenPictureDialog::PlacePreview() {
    // The dialog has laid the area out beside its controls; the button goes at the top right of
    // PaintPanel, over the label.
    mArea.PicturePanel->layout()->activate();
    const QRect paintPanel = mArea.PaintPanel->geometry();
    mArea.PreviewButton->move(
        paintPanel.x() + paintPanel.width() - kPreviewButtonSize.width() - kPreviewButtonGap,
        kPreviewButtonTop);
    // The picture needs no clearing: each run's PaintBox is made without one.
    mLastPreviewedName.clear();
    mArea.PaintPanel->SetCaption(NoPictureCaption());
}

void TOpenPictureDialog::UpdatePreview(const QString& path) {
    const std::string name = path.toStdString();
    if (name == mLastPreviewedName) return;
    mLastPreviewedName = name;
    std::optional<TPreviewPicture> picture;
    if (QFileInfo(path).isFile()) {
        try {
            picture = mLoad(name);
        } catch (const std::exception&) {
            // The preview says nothing about a picture it cannot show; it just shows none.
        }
    }
    if (picture) {
        ShowPicture(std::move(*picture));
    } else {
        ShowNoPicture();
    }
}

void TOpenPictureDialog::ShowPicture(TPreviewPicture picture) {
    const QSize size = picture.Size();
    mArea.PictureLabel->setText(QStringLiteral(" (%1x%2)").arg(size.width()).arg(size.height()));
    mArea.PreviewButton->setEnabled(true);
    mArea.PaintPanel->SetCaption(QString());
    mArea.PaintBox->SetPicture(std::move(picture));
}

void TOpenPictureDialog::ShowNoPicture() {
    mArea.PictureLabel->setText(QStringLiteral("Picture:"));
    mArea.PreviewButton->setEnabled(false);
    mArea.PaintBox->SetPicture({});
    mArea.PaintPanel->SetCaption(NoPictureCaption());
}

void TOpenPictureDialog::ShowPreviewWindow() {
    RunPreviewWindow(mArea.PaintBox->Picture(), *mArea.Dialog, mMonitorSize);
}

}  // namespace mosaren
