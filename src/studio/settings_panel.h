#pragma once

// The project's settings as controls, each the value of one key of the tile project (the
// command line's option of the same name): Load shows a project's values, Apply writes the
// controls' values back, and Changed says that a control was changed by the user.

#include <QWidget>
#include <memory>

#include "studio_project.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;
namespace Ui {
class SettingsPanel;
}

namespace mosaren::studio {

class SettingsPanel : public QWidget {
    Q_OBJECT
public:
    explicit SettingsPanel(QWidget* parent = nullptr);
    ~SettingsPanel() override;

    void Load(const StudioProject& project);
    void Apply(StudioProject& project) const;

    // The mask colour the controls show.
    QColor MaskColour() const { return mMask; }

signals:
    void Changed();

private:
    void Browse(QToolButton* button, QLineEdit* line, bool folder);
    void Watch(QWidget* control);
    void ShowMask();
    // What an output needs, switched on when the user switches the output on.
    void SwitchOnNeeds();
    // Whether an output is on that needs a PNG sheet.
    bool NeedsPngSheet() const;
    // Whether the Godot scene can be written: it takes exactly one Godot tile set.
    bool SceneAllowed() const;
    void UpdateEnabled();
    // Enables control, or disables it with why as its tooltip in place of its own.
    void Hold(QWidget* control, bool held, const QString& why);

    std::unique_ptr<Ui::SettingsPanel> mUi;
    bool mLoading = false;
    QColor mMask;

    QComboBox* mSizePreset = nullptr;
    QComboBox* mFilter = nullptr;
    QSpinBox* mWidth = nullptr;
    QSpinBox* mHeight = nullptr;
    QPushButton* mMaskButton = nullptr;
    QComboBox* mFormat = nullptr;
    QLineEdit* mOutDir = nullptr;

    QComboBox* mBlock = nullptr;
    QSpinBox* mBlockHeight = nullptr;
    QCheckBox* mFaces[3] = {};
    QDoubleSpinBox* mShades[3] = {};
    QLineEdit* mLeftTexture = nullptr;
    QLineEdit* mRightTexture = nullptr;
    QWidget* mBlockDetails = nullptr;

    QGroupBox* mTransitions = nullptr;
    QLineEdit* mTerrainA = nullptr;
    QLineEdit* mTerrainB = nullptr;
    QComboBox* mEdge = nullptr;
    QSpinBox* mSeed = nullptr;
    QSpinBox* mVariants = nullptr;
    QDoubleSpinBox* mFeather = nullptr;

    QCheckBox* mSheet = nullptr;
    QSpinBox* mLayout[4] = {};  // columns, margin, spacing, extrude
    QCheckBox* mTsx = nullptr;
    QCheckBox* mGodot = nullptr;
    QCheckBox* mGodot3 = nullptr;
    QCheckBox* mMapPreview = nullptr;
    QCheckBox* mMaps[3] = {};  // by kMapKinds: .tmx, .tmj, .tscn
};

}  // namespace mosaren::studio
