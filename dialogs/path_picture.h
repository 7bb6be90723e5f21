#pragma once

#include <QString>
#include <QWidget>

namespace strativex {

// A borderless picture of a folder path; a path wider than the picture loses its leading
// folders behind an ellipsis.
class PathPicture : public QWidget {
    Q_OBJECT

public:
    explicit PathPicture(QWidget* parent = nullptr);

    void ShowPath(const QString& path);
    QString DisplayedText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString path_;
};

}  // namespace strativex
