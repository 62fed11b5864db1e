#pragma once
// The seven figure property pages, in their fixed order: "Animation", "Image",
// "Coordinates", "Rotation", "Color and Border", "Text", "Line". Each page
// builds and owns its controls and shows a selected figure (TPanelView) or the
// default figure properties on them. Only their page control (TPropertySheets)
// holds the pages, and wires their controls to the pages' logic; the controls
// are therefore open to it, like the members of a designed form.
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class TBitmap;
class TColorShape;
class TDrawObject;
class TImagePanel;
struct TDefaultParam;
struct TPanelView;

class TFigureSheet : public QWidget {
    Q_OBJECT
public:
    TFigureSheet(const QString& name, const QString& title);
};

class TAnimationSheet : public TFigureSheet {
    Q_OBJECT
public:
    explicit TAnimationSheet(const QString& title);
    void Show(const TPanelView& view);

    QCheckBox* AllFramesCheck = nullptr;
    QSpinBox* StartFrameSpin = nullptr;
    QSpinBox* FramesCountSpin = nullptr;
    QListWidget* FramesChangesList = nullptr;
    QPushButton* DeleteChangesButton = nullptr;
};

class TImageSheet : public TFigureSheet {
    Q_OBJECT
public:
    explicit TImageSheet(const QString& title);
    // `no`: the placeholder shown without a picture.
    void Show(const TPanelView& view, const TBitmap& no);
    void ShowDefault(const TDefaultParam& defaults, const TBitmap& no);

    TImagePanel* DrawObjectImage = nullptr;
    QLabel* ImageDimensionsValueLabel = nullptr;
    QLabel* ImageFramesCountLabel = nullptr;
    QCheckBox* ImageTransparentCheck = nullptr;
};

class TCoordinatesSheet : public TFigureSheet {
    Q_OBJECT
public:
    explicit TCoordinatesSheet(const QString& title);
    void Show(const TPanelView& view, const TDrawObject* figure);
    void ShowDefault(const TDefaultParam& defaults);
    void ShowAllControls();
    // The figure's place and size, then its nodes; "Amount" follows its node count.
    void SetCoord(const TDrawObject* figure);
    void DrawPoints(const TDrawObject* figure);
    void SetPoints(const TDrawObject* figure);
    // Opens the cell editor over a value cell of the nodes grid; false for other cells.
    bool EditCell(int row, int column);

    QWidget* NodesGroup = nullptr;
    QSpinBox* LeftSpin = nullptr;
    QSpinBox* TopSpin = nullptr;
    QSpinBox* WidthSpin = nullptr;
    QSpinBox* HeightSpin = nullptr;
    QSpinBox* PointsCountSpin = nullptr;
    QTableWidget* PointsGrid = nullptr;
    QSpinBox* PointSpin = nullptr; // the nodes grid's cell editor
    QPushButton* PointsCopyButton = nullptr;
    QPushButton* PointsPasteButton = nullptr;
};

class TRotationSheet : public TFigureSheet {
    Q_OBJECT
public:
    explicit TRotationSheet(const QString& title);
    void Show(const TPanelView& view);
    void ShowDefault(const TDefaultParam& defaults);
    void ShowAllControls();
    // The centre boxes and their button are for a centre of the user's choice.
    void RotCenEn(bool flag);
    void ShowCentre(int x, int y);

    QSpinBox* AngleSpin = nullptr;
    QCheckBox* CenterCheck = nullptr;
    QSpinBox* XSpin = nullptr;
    QSpinBox* YSpin = nullptr;
    QPushButton* CenterButton = nullptr;
};

class TColorSheet : public TFigureSheet {
    Q_OBJECT
public:
    explicit TColorSheet(const QString& title);
    void Show(const TPanelView& view);
    void ShowDefault(const TDefaultParam& defaults);
    void ShowAllControls();

    TColorShape* FigureColorShape = nullptr;
    QPushButton* FigureColorButton = nullptr;
    TColorShape* ShadowColorShape = nullptr;
    QPushButton* ShadowColorButton = nullptr;
    TColorShape* BorderColorShape = nullptr;
    QPushButton* BorderColorButton = nullptr;
    QSpinBox* BorderWidthSpin = nullptr;
    QSpinBox* ShadowWidthSpin = nullptr;
};

class TTextSheet : public TFigureSheet {
    Q_OBJECT
public:
    explicit TTextSheet(const QString& title);
    void Show(const TPanelView& view);
    void ShowDefault(const TDefaultParam& defaults);
    void ShowAllControls();
    // The memo's text as lines; an empty memo has none.
    QStringList MemoLines() const;

    QPushButton* FontButton = nullptr;
    QPlainTextEdit* TextMemo = nullptr;
    QComboBox* OutlineCombo = nullptr;
    QComboBox* SpeechCombo = nullptr;
    QSpinBox* PaddingSpin = nullptr;
};

class TLineSheet : public TFigureSheet {
    Q_OBJECT
public:
    explicit TLineSheet(const QString& title);
    void Show(const TPanelView& view);
    void ShowDefault(const TDefaultParam& defaults);
    void ShowAllControls();

    QComboBox* OrientationCombo = nullptr;
    QCheckBox* AutoCenterCheck = nullptr;
    QCheckBox* LineCheck = nullptr;
    QCheckBox* StartArrowCheck = nullptr;
    QCheckBox* EndArrowCheck = nullptr;
};
