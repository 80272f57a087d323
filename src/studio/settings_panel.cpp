#include "settings_panel.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "tiling/smooth_transition.h"
#include "ui_settings_panel.h"

namespace mosaren::studio {

namespace {

struct SizePreset {
    int width;
    int height;
};
// The command line's default first; then the sizes games use most.
constexpr SizePreset kSizePresets[] = {{72, 36}, {32, 16}, {64, 32}, {128, 64}};
constexpr SizePreset kDefaultSize = kSizePresets[0];
const QColor kDefaultMask(255, 0, 255);
constexpr double kDefaultShades[3] = {1.0, 0.8, 0.6};
constexpr const char* kFaceNames[3] = {"top", "left", "right"};
constexpr const char* kLayoutKeys[4] = {"columns", "margin", "spacing", "extrude"};
// The edge combo's entries, in the form's order.
const std::string kEdges[3] = {"straight", "noise", "dither"};

QString Text(const std::string& value) { return QString::fromStdString(value); }
std::string Bytes(const QString& text) { return text.toStdString(); }

QStringList Parts(const std::string& value) {
    return Text(value).split(QLatin1Char(','), Qt::SkipEmptyParts);
}

}  // namespace

SettingsPanel::SettingsPanel(QWidget* parent) : QWidget(parent), mUi(new Ui::SettingsPanel) {
    // The form (settings_panel.ui) lays the controls out; here they are tied to the keys. The
    // preview passes every key that shapes tiles to the core as it is
    // (StudioProject::ShapingKeys), so it shows a new one without a change there.
    mUi->setupUi(this);
    mSizePreset = mUi->sizePreset;
    mFilter = mUi->filter;
    mWidth = mUi->tileWidth;
    mHeight = mUi->tileHeight;
    mMaskButton = mUi->mask;
    mFormat = mUi->format;
    mOutDir = mUi->outDir;
    mBlock = mUi->block;
    mBlockHeight = mUi->blockHeight;
    mFaces[0] = mUi->face_top;
    mFaces[1] = mUi->face_left;
    mFaces[2] = mUi->face_right;
    mShades[0] = mUi->shade_top;
    mShades[1] = mUi->shade_left;
    mShades[2] = mUi->shade_right;
    mLeftTexture = mUi->leftTexture;
    mRightTexture = mUi->rightTexture;
    mBlockDetails = mUi->blockDetails;
    mTransitions = mUi->transitions;
    mTerrainA = mUi->terrainA;
    mTerrainB = mUi->terrainB;
    mEdge = mUi->edge;
    mSeed = mUi->seed;
    mVariants = mUi->variants;
    mFeather = mUi->feather;
    mSheet = mUi->sheet;
    mLayout[0] = mUi->columns;
    mLayout[1] = mUi->margin;
    mLayout[2] = mUi->spacing;
    mLayout[3] = mUi->extrude;
    mTsx = mUi->tsx;
    mGodot = mUi->godot;
    mGodot3 = mUi->godot3;
    mMapPreview = mUi->mapPreview;
    mMaps[0] = mUi->mapTmx;
    mMaps[1] = mUi->mapTmj;
    mMaps[2] = mUi->mapTscn;

    // Each control's own tooltip, shown while it is enabled (Hold).
    const auto own = [](QWidget* control, const QString& tip) {
        control->setToolTip(tip);
        control->setProperty("ownToolTip", tip);
    };
    own(mFilter, tr("How a tile samples its texture. Nearest: each tile pixel takes one texture "
                    "pixel, for pixel art. Smooth: each tile pixel blends the texture pixels it "
                    "covers, for painted and photographic textures."));
    own(mVariants, tr("How many different tiles to make of each of the 16 corner combinations, "
                      "each fitting every neighbour: Tiled and Godot pick among them as you "
                      "paint, so a long shore does not repeat."));
    own(mFeather, tr("How wide the soft border between the two terrains is, in tile pixels "
                     "(0: a hard border)."));
    own(mTsx, tr("With BMP tiles this switches the sheet on: Tiled keys the mask colour out of a "
                 "sheet only."));
    own(mGodot, tr("Switches on a PNG sheet: the tile set is an atlas of the sheet, and Godot "
                   "keys no mask colour out."));
    own(mGodot3, mGodot->toolTip());
    own(mMaps[0], tr("The map preview's 6 × 6 map as a Tiled map, named after the set. Switches "
                     "the Tiled tileset on: the map takes its tiles from it."));
    own(mMaps[1], tr("The same map as Tiled JSON, for Phaser and other web engines, the sheet's "
                     "tileset embedded. Switches on a PNG sheet: web engines take a tileset as "
                     "one picture and key no colour out."));
    own(mMaps[2], tr("The same map as a Godot scene of the Godot 4 or the Godot 3 tile set, "
                     "exactly one of them. Switches Godot 4 on when neither is."));

    for (const SizePreset& preset : kSizePresets) {
        mSizePreset->addItem(tr("%1 × %2").arg(preset.width).arg(preset.height));
    }
    mSizePreset->addItem(tr("Custom"));
    connect(mSizePreset, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0 || index >= static_cast<int>(std::size(kSizePresets))) return;
        const bool loading = mLoading;
        mLoading = true;
        mWidth->setValue(kSizePresets[index].width);
        mHeight->setValue(kSizePresets[index].height);
        mLoading = loading;
    });
    connect(mMaskButton, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(mMask, this, tr("Mask colour"));
        if (!chosen.isValid() || chosen == mMask) return;
        mMask = chosen;
        ShowMask();
        emit Changed();
    });
    Browse(mUi->outDirBrowse, mOutDir, true);
    Browse(mUi->leftTextureBrowse, mLeftTexture, false);
    Browse(mUi->rightTextureBrowse, mRightTexture, false);
    Browse(mUi->terrainABrowse, mTerrainA, false);
    Browse(mUi->terrainBBrowse, mTerrainB, false);

    const std::initializer_list<QWidget*> controls = {
        mSizePreset,  mFilter,       mWidth,       mHeight,    mFormat,    mOutDir,    mBlock,
        mBlockHeight, mFaces[0],     mFaces[1],    mFaces[2],  mShades[0], mShades[1], mShades[2],
        mLeftTexture, mRightTexture, mTransitions, mTerrainA,  mTerrainB,  mEdge,      mSeed,
        mVariants,    mFeather,      mSheet,       mLayout[0],    mLayout[1],   mLayout[2], mLayout[3], mTsx,       mGodot,
        mGodot3,      mMapPreview,   mMaps[0],     mMaps[1],   mMaps[2]};
    for (QWidget* control : controls) Watch(control);
    UpdateEnabled();
}

SettingsPanel::~SettingsPanel() = default;

void SettingsPanel::Watch(QWidget* control) {
    const auto changed = [this] {
        if (!mLoading) {
            // The controls switched on here report to this same function, as loaded ones do.
            mLoading = true;
            SwitchOnNeeds();
            mLoading = false;
        }
        UpdateEnabled();
        if (!mLoading) emit Changed();
    };
    if (auto* box = qobject_cast<QComboBox*>(control)) {
        connect(box, &QComboBox::currentIndexChanged, this, changed);
    } else if (auto* spin = qobject_cast<QSpinBox*>(control)) {
        connect(spin, &QSpinBox::valueChanged, this, changed);
    } else if (auto* real = qobject_cast<QDoubleSpinBox*>(control)) {
        connect(real, &QDoubleSpinBox::valueChanged, this, changed);
    } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
        connect(check, &QCheckBox::toggled, this, changed);
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        connect(group, &QGroupBox::toggled, this, changed);
    } else if (auto* line = qobject_cast<QLineEdit*>(control)) {
        connect(line, &QLineEdit::textChanged, this, changed);
    }
}

void SettingsPanel::Browse(QToolButton* button, QLineEdit* line, bool folder) {
    button->setToolTip(folder ? tr("Choose a folder") : tr("Choose a texture"));
    connect(button, &QToolButton::clicked, this, [this, line, folder] {
        const QString chosen =
            folder ? QFileDialog::getExistingDirectory(this, tr("Output folder"), line->text())
                   : QFileDialog::getOpenFileName(this, tr("Texture"), line->text());
        if (!chosen.isEmpty()) line->setText(chosen);
    });
}

void SettingsPanel::ShowMask() {
    mMaskButton->setText(
        QStringLiteral("%1, %2, %3").arg(mMask.red()).arg(mMask.green()).arg(mMask.blue()));
    QPixmap swatch(16, 16);
    swatch.fill(mMask);
    mMaskButton->setIcon(QIcon(swatch));
}

// The outputs' needs are the command line's checks, made before it writes anything: a Godot tile
// set and a Tiled JSON map need a PNG sheet (neither Godot nor a web engine keys a colour out), a
// Tiled map the Tiled tileset, a Godot scene exactly one Godot tile set, a Tiled tileset of BMP
// tiles a sheet (Tiled keys the mask colour out of a sheet only).
// Switching an output on switches on what it needs, and what an output needs is held while the
// output is on (UpdateEnabled), so that the Studio never saves a project the build refuses.
void SettingsPanel::SwitchOnNeeds() {
    if (mMaps[0]->isChecked()) mTsx->setChecked(true);
    if (mMaps[2]->isChecked() && !mGodot->isChecked() && !mGodot3->isChecked()) {
        mGodot->setChecked(true);
    }
    if (NeedsPngSheet()) {
        mFormat->setCurrentIndex(1);
        mSheet->setChecked(true);
    }
    if (mTsx->isChecked() && mFormat->currentIndex() == 0) mSheet->setChecked(true);
}

bool SettingsPanel::NeedsPngSheet() const {
    return mGodot->isChecked() || mGodot3->isChecked() || mMaps[1]->isChecked();
}

bool SettingsPanel::SceneAllowed() const { return !(mGodot->isChecked() && mGodot3->isChecked()); }

void SettingsPanel::Hold(QWidget* control, bool held, const QString& why) {
    control->setEnabled(!held);
    control->setToolTip(held ? why : control->property("ownToolTip").toString());
}

void SettingsPanel::UpdateEnabled() {
    mWidth->setEnabled(mSizePreset->currentIndex() == static_cast<int>(std::size(kSizePresets)));
    mHeight->setEnabled(mWidth->isEnabled());
    mBlockHeight->setEnabled(mBlock->currentIndex() == 2);
    mBlockDetails->setEnabled(mBlock->currentIndex() != 0);
    for (QSpinBox* layout : mLayout) layout->setEnabled(mSheet->isChecked());
    // The seed draws the border's pattern, and the maps' choice among variants.
    mSeed->setEnabled(mEdge->currentIndex() != 0 || mVariants->value() > 1);

    Hold(mFeather, mFilter->currentIndex() != 1,
         tr("A soft border is made by the smooth filter only."));

    const bool pngSheet = NeedsPngSheet();
    Hold(mFormat, pngSheet,
         tr("PNG: the Godot tile sets and the Tiled JSON map need a PNG sheet, as neither Godot "
            "nor a web engine keys a mask colour out."));
    const bool bmpTileset = mTsx->isChecked() && mFormat->currentIndex() == 0;
    Hold(mSheet, pngSheet || bmpTileset,
         pngSheet ? tr("The Godot tile sets and the Tiled JSON map are made of the sheet.")
                  : tr("The Tiled tileset of BMP tiles needs the sheet: Tiled keys the mask "
                       "colour out of a sheet only."));
    Hold(mTsx, mMaps[0]->isChecked(), tr("The Tiled map takes its tiles from this tileset."));
    const bool scene = mMaps[2]->isChecked() && SceneAllowed();
    const QString sceneWhy =
        tr("The Godot scene uses one tile set, and Godot 4 and Godot 3 each "
           "need a project of their own: switch the scene off first.");
    Hold(mGodot, scene, sceneWhy);
    Hold(mGodot3, scene, sceneWhy);
    Hold(mMaps[2], !SceneAllowed(),
         tr("A Godot scene uses one tile set: switch Godot 4 or Godot 3 off."));
}

void SettingsPanel::Load(const StudioProject& project) {
    mLoading = true;
    const QStringList size = Text(project.Value("size")).split(QLatin1Char('x'));
    const int width = size.size() == 2 ? size[0].toInt() : kDefaultSize.width;
    const int height = size.size() == 2 ? size[1].toInt() : kDefaultSize.height;
    int preset = static_cast<int>(std::size(kSizePresets));
    for (int k = 0; k < preset; ++k) {
        if (kSizePresets[k].width == width && kSizePresets[k].height == height) preset = k;
    }
    mSizePreset->setCurrentIndex(preset);
    mWidth->setValue(width);
    mHeight->setValue(height);

    const QStringList mask = Parts(project.Value("mask"));
    mMask =
        mask.size() == 3 ? QColor(mask[0].toInt(), mask[1].toInt(), mask[2].toInt()) : kDefaultMask;
    ShowMask();
    mFormat->setCurrentIndex(project.Value("format") == "png" ? 1 : 0);
    mOutDir->setText(Text(project.Value("out-dir")));
    mFilter->setCurrentIndex(project.Value("filter") == "smooth" ? 1 : 0);

    const std::string block = project.Value("block");
    mBlock->setCurrentIndex(block.empty() ? 0 : block == "cube" ? 1 : 2);
    if (!block.empty() && block != "cube") mBlockHeight->setValue(Text(block).toInt());
    const QStringList faces = Parts(project.Value("faces"));
    const QStringList shades = Parts(project.Value("shade"));
    for (int face = 0; face < 3; ++face) {
        mFaces[face]->setChecked(faces.isEmpty() || faces.contains(kFaceNames[face]));
        mShades[face]->setValue(shades.size() == 3 ? shades[face].toDouble()
                                                   : kDefaultShades[face]);
    }
    mLeftTexture->setText(Text(project.Value("left-texture")));
    mRightTexture->setText(Text(project.Value("right-texture")));

    const StudioProject::Transitions transitions = project.TransitionTiles();
    mTransitions->setChecked(!transitions.terrainA.empty());
    mTerrainA->setText(Text(transitions.terrainA));
    mTerrainB->setText(Text(transitions.terrainB));
    const auto edge = std::find(std::begin(kEdges), std::end(kEdges), transitions.edge);
    mEdge->setCurrentIndex(edge == std::end(kEdges) ? 0
                                                    : static_cast<int>(edge - std::begin(kEdges)));
    mSeed->setValue(transitions.seed.empty() ? 1 : Text(transitions.seed).toInt());
    mVariants->setValue(transitions.variants.empty() ? 1 : Text(transitions.variants).toInt());
    mFeather->setValue(transitions.feather.empty() ? kDefaultFeather
                                                   : Text(transitions.feather).toDouble());

    mSheet->setChecked(project.Output("sheet"));
    for (int k = 0; k < 4; ++k) mLayout[k]->setValue(Text(project.Value(kLayoutKeys[k])).toInt());
    mTsx->setChecked(project.Output("tsx"));
    mGodot->setChecked(project.Output("godot"));
    mGodot3->setChecked(project.Output("godot3"));
    mMapPreview->setChecked(project.Output("map-preview"));
    for (int kind = 0; kind < 3; ++kind) mMaps[kind]->setChecked(project.Map(kMapKinds[kind]));
    mLoading = false;
    UpdateEnabled();
}

void SettingsPanel::Apply(StudioProject& project) const {
    // A key at its default is left out, so that the file says only what differs.
    const bool defaultSize =
        mWidth->value() == kDefaultSize.width && mHeight->value() == kDefaultSize.height;
    project.SetValue(
        "size", defaultSize
                    ? ""
                    : Bytes(QStringLiteral("%1x%2").arg(mWidth->value()).arg(mHeight->value())));
    project.SetValue("mask", mMask == kDefaultMask ? ""
                                                   : Bytes(QStringLiteral("%1,%2,%3")
                                                               .arg(mMask.red())
                                                               .arg(mMask.green())
                                                               .arg(mMask.blue())));
    project.SetValue("format", mFormat->currentIndex() == 1 ? "png" : "");
    project.SetValue("out-dir", Bytes(mOutDir->text()));

    const int block = mBlock->currentIndex();
    const bool smooth = mFilter->currentIndex() == 1;
    project.SetValue("filter", smooth ? "smooth" : "");
    project.SetValue("block", block == 0   ? ""
                              : block == 1 ? "cube"
                                           : std::to_string(mBlockHeight->value()));
    QStringList faces;
    QStringList shades;
    bool defaultShades = true;
    for (int face = 0; face < 3; ++face) {
        if (mFaces[face]->isChecked()) faces << QString::fromLatin1(kFaceNames[face]);
        shades << QString::number(mShades[face]->value(), 'g', 6);
        defaultShades =
            defaultShades && qFuzzyCompare(mShades[face]->value(), kDefaultShades[face]);
    }
    // The face options go with a block only: the command line refuses them without one.
    const bool blocks = block != 0;
    project.SetValue("faces",
                     !blocks || faces.size() == 3 || faces.isEmpty() ? "" : Bytes(faces.join(',')));
    project.SetValue("shade", !blocks || defaultShades ? "" : Bytes(shades.join(',')));
    project.SetValue("left-texture", blocks ? Bytes(mLeftTexture->text()) : "");
    project.SetValue("right-texture", blocks ? Bytes(mRightTexture->text()) : "");

    StudioProject::Transitions transitions;
    if (mTransitions->isChecked()) {
        transitions.terrainA = Bytes(mTerrainA->text());
        transitions.terrainB = Bytes(mTerrainB->text());
        if (mEdge->currentIndex() != 0) transitions.edge = kEdges[mEdge->currentIndex()];
        if (mVariants->value() > 1) transitions.variants = std::to_string(mVariants->value());
        if (mEdge->currentIndex() != 0 || mVariants->value() > 1) transitions.seed = std::to_string(mSeed->value());
        if (smooth) {
            transitions.filter = "smooth";
            if (!qFuzzyCompare(mFeather->value(), kDefaultFeather)) {
                transitions.feather = Bytes(QString::number(mFeather->value(), 'g', 6));
            }
        }
    }
    project.SetTransitionTiles(transitions);

    project.SetOutput("sheet", mSheet->isChecked());
    for (int k = 0; k < 4; ++k) {
        const int value = mLayout[k]->value();
        project.SetLayout(kLayoutKeys[k],
                          mSheet->isChecked() && value != 0 ? std::to_string(value) : "");
    }
    project.SetOutput("tsx", mTsx->isChecked());
    project.SetOutput("godot", mGodot->isChecked());
    project.SetOutput("godot3", mGodot3->isChecked());
    project.SetOutput("map-preview", mMapPreview->isChecked());
    for (int kind = 0; kind < 3; ++kind) {
        const bool allowed = kind != 2 || SceneAllowed();
        project.SetMap(kMapKinds[kind], mMaps[kind]->isChecked() && allowed);
    }
}

}  // namespace mosaren::studio
