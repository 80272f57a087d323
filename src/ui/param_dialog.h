#pragma once

// The parameters dialog: the mask colour, the tile's height and width and the piece counts.
// Every edit stores its setting as soon as its text changes to an acceptable value; there is
// no OK or Cancel and no undo, and the dialog never reads the settings back, so its edits
// show what the user last typed.

#include <QWidget>
#include <memory>

#include "tiling/tile_settings.h"

class QLineEdit;

namespace Ui {
class TfrmParam;
}

namespace mosaren {

class TfrmParam : public QWidget {
    Q_OBJECT

public:
    explicit TfrmParam(TTileSettings& settings, QWidget* parent = nullptr);
    ~TfrmParam() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Edit1Change();
    void Edit2Change();
    void Edit3Change();
    void Edit4Change();
    void Edit5Change();
    void Edit6Change();
    void Edit7Change();
    void CheckBox1Click();
    void SpeedButton1Click();

    // An empty text stores nothing; a text that is not a number fails; a number is stored if
    // it lies in the field's range.
    void EditChange(const QLineEdit& edit, TileSetting field);

    std::unique_ptr<Ui::TfrmParam> ui;
    TTileSettings& mSettings;
    bool mPlaced = false;
};

}  // namespace mosaren
