#pragma once

// The About box: the logo, the program's name and version, what it is for, and who made it.

#include <QWidget>
#include <memory>

namespace Ui {
class TfrmAbout;
}

namespace mosaren {

class TfrmAbout : public QWidget {
    Q_OBJECT

public:
    explicit TfrmAbout(QWidget* parent = nullptr);
    ~TfrmAbout() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SpeedButton1Click();

    std::unique_ptr<Ui::TfrmAbout> ui;
    bool mPlaced = false;
};

}  // namespace mosaren
