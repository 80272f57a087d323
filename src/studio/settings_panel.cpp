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

QString Text(const std::string& value) { return QString::fromStdString(value); }
std::string Bytes(const QString& text) { return text.toStdString(); }

QStringList Parts(const std::string& value) {
    return Text(value).split(QLatin1Char(','), Qt::SkipEmptyParts);
}

}  // namespace

SettingsPanel::SettingsPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TilesGroup());
    layout->addWidget(BlockGroup());
    layout->addWidget(TransitionsGroup());
    layout->addWidget(OutputsGroup());
    // The keys the core is gaining (the filter, variants, feather, starter maps) take their
    // controls here, a group each, Load and Apply reading and writing their keys as the groups
    // above do; the preview passes every key that shapes tiles to the core as it is
    // (StudioProject::ShapingKeys), so it shows them without a change.
    layout->addStretch(1);
    UpdateEnabled();
}

void SettingsPanel::Watch(QWidget* control) {
    const auto changed = [this] {
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

QLineEdit* SettingsPanel::FileField(QWidget* parent, const QString& name, bool folder,
                                    QWidget** row) {
    *row = new QWidget(parent);
    auto* layout = new QHBoxLayout(*row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* line = new QLineEdit(*row);
    line->setObjectName(name);
    auto* browse = new QToolButton(*row);
    browse->setText(QStringLiteral("…"));
    browse->setToolTip(folder ? tr("Choose a folder") : tr("Choose a texture"));
    layout->addWidget(line, 1);
    layout->addWidget(browse);
    connect(browse, &QToolButton::clicked, this, [this, line, folder] {
        const QString chosen =
            folder ? QFileDialog::getExistingDirectory(this, tr("Output folder"), line->text())
                   : QFileDialog::getOpenFileName(this, tr("Texture"), line->text());
        if (!chosen.isEmpty()) line->setText(chosen);
    });
    Watch(line);
    return line;
}

QWidget* SettingsPanel::TilesGroup() {
    auto* group = new QGroupBox(tr("Tiles"), this);
    auto* form = new QFormLayout(group);

    mSizePreset = new QComboBox(group);
    mSizePreset->setObjectName(QStringLiteral("sizePreset"));
    for (const SizePreset& preset : kSizePresets) {
        mSizePreset->addItem(tr("%1 × %2").arg(preset.width).arg(preset.height));
    }
    mSizePreset->addItem(tr("Custom"));
    mWidth = new QSpinBox(group);
    mWidth->setObjectName(QStringLiteral("tileWidth"));
    mHeight = new QSpinBox(group);
    mHeight->setObjectName(QStringLiteral("tileHeight"));
    for (QSpinBox* side : {mWidth, mHeight}) side->setRange(1, 255);
    auto* sizeRow = new QWidget(group);
    auto* sizeLayout = new QHBoxLayout(sizeRow);
    sizeLayout->setContentsMargins(0, 0, 0, 0);
    sizeLayout->addWidget(mSizePreset);
    sizeLayout->addWidget(mWidth);
    sizeLayout->addWidget(mHeight);
    connect(mSizePreset, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0 || index >= static_cast<int>(std::size(kSizePresets))) return;
        const bool loading = mLoading;
        mLoading = true;
        mWidth->setValue(kSizePresets[index].width);
        mHeight->setValue(kSizePresets[index].height);
        mLoading = loading;
    });
    form->addRow(tr("Tile size"), sizeRow);

    mMaskButton = new QPushButton(group);
    mMaskButton->setObjectName(QStringLiteral("mask"));
    connect(mMaskButton, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(mMask, this, tr("Mask colour"));
        if (!chosen.isValid() || chosen == mMask) return;
        mMask = chosen;
        ShowMask();
        emit Changed();
    });
    form->addRow(tr("Mask colour"), mMaskButton);

    mFormat = new QComboBox(group);
    mFormat->setObjectName(QStringLiteral("format"));
    mFormat->addItem(tr("BMP"), QStringLiteral("bmp"));
    mFormat->addItem(tr("PNG with alpha"), QStringLiteral("png"));
    form->addRow(tr("File format"), mFormat);

    QWidget* outDirRow = nullptr;
    mOutDir = FileField(group, QStringLiteral("outDir"), true, &outDirRow);
    mOutDir->setPlaceholderText(tr("beside the textures"));
    form->addRow(tr("Output folder"), outDirRow);

    for (QWidget* control : {static_cast<QWidget*>(mSizePreset), static_cast<QWidget*>(mWidth),
                             static_cast<QWidget*>(mHeight), static_cast<QWidget*>(mFormat)}) {
        Watch(control);
    }
    return group;
}

QWidget* SettingsPanel::BlockGroup() {
    auto* group = new QGroupBox(tr("Block"), this);
    auto* form = new QFormLayout(group);
    mBlock = new QComboBox(group);
    mBlock->setObjectName(QStringLiteral("block"));
    mBlock->addItems({tr("Off: flat tiles"), tr("Cube"), tr("Height")});
    mBlockHeight = new QSpinBox(group);
    mBlockHeight->setObjectName(QStringLiteral("blockHeight"));
    mBlockHeight->setRange(1, 255);
    mBlockHeight->setValue(24);
    mBlockHeight->setSuffix(tr(" px"));
    auto* kindRow = new QWidget(group);
    auto* kindLayout = new QHBoxLayout(kindRow);
    kindLayout->setContentsMargins(0, 0, 0, 0);
    kindLayout->addWidget(mBlock);
    kindLayout->addWidget(mBlockHeight);
    form->addRow(tr("Block"), kindRow);
    Watch(mBlock);
    Watch(mBlockHeight);

    mBlockDetails = new QWidget(group);
    auto* details = new QFormLayout(mBlockDetails);
    details->setContentsMargins(0, 0, 0, 0);
    const QString faceTexts[3] = {tr("Top"), tr("Left"), tr("Right")};
    auto* facesRow = new QWidget(mBlockDetails);
    auto* facesLayout = new QHBoxLayout(facesRow);
    facesLayout->setContentsMargins(0, 0, 0, 0);
    auto* shadesRow = new QWidget(mBlockDetails);
    auto* shadesLayout = new QHBoxLayout(shadesRow);
    shadesLayout->setContentsMargins(0, 0, 0, 0);
    for (int face = 0; face < 3; ++face) {
        mFaces[face] = new QCheckBox(faceTexts[face], facesRow);
        mFaces[face]->setObjectName(QStringLiteral("face_%1").arg(kFaceNames[face]));
        facesLayout->addWidget(mFaces[face]);
        Watch(mFaces[face]);
        mShades[face] = new QDoubleSpinBox(shadesRow);
        mShades[face]->setObjectName(QStringLiteral("shade_%1").arg(kFaceNames[face]));
        mShades[face]->setRange(0.0, 1.0);
        mShades[face]->setSingleStep(0.05);
        mShades[face]->setDecimals(3);
        mShades[face]->setToolTip(faceTexts[face]);
        shadesLayout->addWidget(mShades[face]);
        Watch(mShades[face]);
    }
    details->addRow(tr("Faces"), facesRow);
    details->addRow(tr("Shades"), shadesRow);
    QWidget* leftRow = nullptr;
    mLeftTexture = FileField(mBlockDetails, QStringLiteral("leftTexture"), false, &leftRow);
    mLeftTexture->setPlaceholderText(tr("the tile's own"));
    details->addRow(tr("Left face texture"), leftRow);
    QWidget* rightRow = nullptr;
    mRightTexture = FileField(mBlockDetails, QStringLiteral("rightTexture"), false, &rightRow);
    mRightTexture->setPlaceholderText(tr("the tile's own"));
    details->addRow(tr("Right face texture"), rightRow);
    form->addRow(mBlockDetails);
    return group;
}

QWidget* SettingsPanel::TransitionsGroup() {
    mTransitions = new QGroupBox(tr("Transition tiles"), this);
    mTransitions->setObjectName(QStringLiteral("transitions"));
    mTransitions->setCheckable(true);
    mTransitions->setChecked(false);
    auto* form = new QFormLayout(mTransitions);
    QWidget* aRow = nullptr;
    mTerrainA = FileField(mTransitions, QStringLiteral("terrainA"), false, &aRow);
    form->addRow(tr("Terrain A"), aRow);
    QWidget* bRow = nullptr;
    mTerrainB = FileField(mTransitions, QStringLiteral("terrainB"), false, &bRow);
    form->addRow(tr("Terrain B"), bRow);
    mEdge = new QComboBox(mTransitions);
    mEdge->setObjectName(QStringLiteral("edge"));
    mEdge->addItem(tr("Straight"), QStringLiteral("straight"));
    mEdge->addItem(tr("Noise"), QStringLiteral("noise"));
    mEdge->addItem(tr("Dither"), QStringLiteral("dither"));
    form->addRow(tr("Edge"), mEdge);
    mSeed = new QSpinBox(mTransitions);
    mSeed->setObjectName(QStringLiteral("seed"));
    mSeed->setRange(0, 2147483647);
    form->addRow(tr("Seed"), mSeed);
    Watch(mTransitions);
    Watch(mEdge);
    Watch(mSeed);
    return mTransitions;
}

QWidget* SettingsPanel::OutputsGroup() {
    auto* group = new QGroupBox(tr("Outputs"), this);
    auto* form = new QFormLayout(group);
    mSheet = new QCheckBox(tr("All tiles in one sheet"), group);
    mSheet->setObjectName(QStringLiteral("sheet"));
    form->addRow(mSheet);
    const QString layoutTexts[4] = {tr("Columns"), tr("Margin"), tr("Spacing"), tr("Extrude")};
    for (int k = 0; k < 4; ++k) {
        mLayout[k] = new QSpinBox(group);
        mLayout[k]->setObjectName(QString::fromLatin1(kLayoutKeys[k]));
        mLayout[k]->setRange(0, k == 0 ? 999 : 255);
        if (k == 0) mLayout[k]->setSpecialValueText(tr("as square as it can be"));
        else mLayout[k]->setSuffix(tr(" px"));
        form->addRow(layoutTexts[k], mLayout[k]);
        Watch(mLayout[k]);
    }
    mTsx = new QCheckBox(tr("Tiled tileset (.tsx)"), group);
    mTsx->setObjectName(QStringLiteral("tsx"));
    mGodot = new QCheckBox(tr("Godot 4 TileSet (.tres)"), group);
    mGodot->setObjectName(QStringLiteral("godot"));
    mGodot3 = new QCheckBox(tr("Godot 3 TileSet (.tres)"), group);
    mGodot3->setObjectName(QStringLiteral("godot3"));
    mMapPreview = new QCheckBox(tr("Map preview (.png)"), group);
    mMapPreview->setObjectName(QStringLiteral("mapPreview"));
    for (QCheckBox* output : {mSheet, mTsx, mGodot, mGodot3, mMapPreview}) {
        if (output != mSheet) form->addRow(output);
        Watch(output);
    }
    return group;
}

void SettingsPanel::ShowMask() {
    mMaskButton->setText(QStringLiteral("%1, %2, %3").arg(mMask.red()).arg(mMask.green()).arg(mMask.blue()));
    QPixmap swatch(16, 16);
    swatch.fill(mMask);
    mMaskButton->setIcon(QIcon(swatch));
}

void SettingsPanel::UpdateEnabled() {
    mWidth->setEnabled(mSizePreset->currentIndex() == static_cast<int>(std::size(kSizePresets)));
    mHeight->setEnabled(mWidth->isEnabled());
    mBlockHeight->setEnabled(mBlock->currentIndex() == 2);
    mBlockDetails->setEnabled(mBlock->currentIndex() != 0);
    for (QSpinBox* layout : mLayout) layout->setEnabled(mSheet->isChecked());
    mSeed->setEnabled(mEdge->currentIndex() != 0);
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
    mMask = mask.size() == 3 ? QColor(mask[0].toInt(), mask[1].toInt(), mask[2].toInt())
                             : kDefaultMask;
    ShowMask();
    mFormat->setCurrentIndex(project.Value("format") == "png" ? 1 : 0);
    mOutDir->setText(Text(project.Value("out-dir")));

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
    const int edge = mEdge->findData(Text(transitions.edge));
    mEdge->setCurrentIndex(edge < 0 ? 0 : edge);
    mSeed->setValue(transitions.seed.empty() ? 1 : Text(transitions.seed).toInt());

    mSheet->setChecked(project.Output("sheet"));
    for (int k = 0; k < 4; ++k) mLayout[k]->setValue(Text(project.Value(kLayoutKeys[k])).toInt());
    mTsx->setChecked(project.Output("tsx"));
    mGodot->setChecked(project.Output("godot"));
    mGodot3->setChecked(project.Output("godot3"));
    mMapPreview->setChecked(project.Output("map-preview"));
    mLoading = false;
    UpdateEnabled();
}

void SettingsPanel::Apply(StudioProject& project) const {
    // A key at its default is left out, so that the file says only what differs.
    const bool defaultSize =
        mWidth->value() == kDefaultSize.width && mHeight->value() == kDefaultSize.height;
    project.SetValue("size", defaultSize ? "" : Bytes(QStringLiteral("%1x%2").arg(mWidth->value()).arg(mHeight->value())));
    project.SetValue("mask", mMask == kDefaultMask ? ""
                                                   : Bytes(QStringLiteral("%1,%2,%3")
                                                               .arg(mMask.red())
                                                               .arg(mMask.green())
                                                               .arg(mMask.blue())));
    project.SetValue("format", mFormat->currentIndex() == 1 ? "png" : "");
    project.SetValue("out-dir", Bytes(mOutDir->text()));

    const int block = mBlock->currentIndex();
    project.SetValue("block", block == 0   ? ""
                              : block == 1 ? "cube"
                                           : std::to_string(mBlockHeight->value()));
    QStringList faces;
    QStringList shades;
    bool defaultShades = true;
    for (int face = 0; face < 3; ++face) {
        if (mFaces[face]->isChecked()) faces << QString::fromLatin1(kFaceNames[face]);
        shades << QString::number(mShades[face]->value(), 'g', 6);
        defaultShades = defaultShades && qFuzzyCompare(mShades[face]->value(), kDefaultShades[face]);
    }
    // The face options go with a block only: the command line refuses them without one.
    const bool blocks = block != 0;
    project.SetValue("faces", !blocks || faces.size() == 3 || faces.isEmpty() ? "" : Bytes(faces.join(',')));
    project.SetValue("shade", !blocks || defaultShades ? "" : Bytes(shades.join(',')));
    project.SetValue("left-texture", blocks ? Bytes(mLeftTexture->text()) : "");
    project.SetValue("right-texture", blocks ? Bytes(mRightTexture->text()) : "");

    StudioProject::Transitions transitions;
    if (mTransitions->isChecked()) {
        transitions.terrainA = Bytes(mTerrainA->text());
        transitions.terrainB = Bytes(mTerrainB->text());
        if (mEdge->currentIndex() != 0) {
            transitions.edge = Bytes(mEdge->currentData().toString());
            transitions.seed = std::to_string(mSeed->value());
        }
    }
    project.SetTransitionTiles(transitions);

    project.SetOutput("sheet", mSheet->isChecked());
    for (int k = 0; k < 4; ++k) {
        const int value = mLayout[k]->value();
        project.SetLayout(kLayoutKeys[k], mSheet->isChecked() && value != 0 ? std::to_string(value) : "");
    }
    project.SetOutput("tsx", mTsx->isChecked());
    project.SetOutput("godot", mGodot->isChecked());
    project.SetOutput("godot3", mGodot3->isChecked());
    project.SetOutput("map-preview", mMapPreview->isChecked());
}

}  // namespace mosaren::studio
