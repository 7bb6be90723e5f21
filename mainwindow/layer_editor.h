#pragma once

#include <QObject>

#include <functional>

#include "core/model.h"
#include "document/model_document.h"

class QLabel;
class QPushButton;

namespace strativex {

// The buttons that add, copy, delete and move layers and the colour swatch's steps. Each
// command commits the field being typed in, then makes one step of the document's history named
// for the layer it was given; the document selects the record the command leaves selected.
class LayerEditor : public QObject {
    Q_OBJECT

public:
    struct Buttons {
        QPushButton* Add;
        QPushButton* Copy;
        QPushButton* Delete;
        QPushButton* MoveUp;
        QPushButton* MoveDown;
        QLabel* MoveLabel;
    };

    // commitEdits commits the value typed in the window; false when it is refused, and the
    // command does nothing.
    LayerEditor(ModelDocument& document, const ModelDefaults& defaults,
                std::function<bool()> commitEdits, const Buttons& buttons, QObject* parent);

    void AddLayer();
    void CopyLayer();
    void DeleteLayer();
    void MoveLayer(bool up);
    void StepColor(int step);

    // Enables the buttons whose command the selected record allows.
    void ShowAvailability();

private:
    ModelDocument& document_;
    const ModelDefaults& defaults_;
    std::function<bool()> commitEdits_;
    Buttons buttons_;
};

}  // namespace strativex
