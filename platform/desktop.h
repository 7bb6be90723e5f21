#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QPrinter;
class QWidget;

namespace strativex {

enum class MessageIcon { None, Exclamation, Critical };
enum class MessageButtons { Ok, OkCancel, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct FileDialogRequest {
    enum class Mode { Open, Save };
    Mode DialogMode = Mode::Open;
    QString Title;
    QString Folder;
    QString FileName;
    // Filters as Qt writes them, e.g. "Model Files (*.mdl)".
    QStringList Filters;
    // Save: a name typed without an extension gets this one; an existing file is confirmed.
    QString DefaultSuffix;
    // Open: the name need not exist (used to pick a folder by a file in it).
    bool AcceptAnyName = false;
};

// The one seam between the program and the desktop: message boxes, file and printer
// dialogs, the shell's "open" of a document, and the end of the program. The real one uses
// Qt's widgets; tests install a scripted one.
class Desktop {
public:
    virtual ~Desktop() = default;

    // CR LF (or LF) in the text is a line break.
    virtual MessageAnswer ShowMessage(QWidget* parent, const QString& text, const QString& title,
                                      MessageIcon icon, MessageButtons buttons) = 0;
    // The chosen full path; nothing when the user cancels or the dialog fails.
    virtual std::optional<QString> ChooseFile(QWidget* parent,
                                              const FileDialogRequest& request) = 0;
    // A printer set up by the user (one copy, no page range or selection, no printing to a
    // file); nothing when cancelled.
    virtual std::unique_ptr<QPrinter> ChoosePrinter(QWidget* parent) = 0;
    // Opens a document or a folder (an absolute path) or a link (mailto:, https:) with the
    // desktop's registered viewer; false when no viewer could be started.
    virtual bool OpenDocument(const QString& path) = 0;
    // Ends the program at once, without the save prompt and without writing the preferences.
    virtual void EndProgram(int exitCode) = 0;
};

}  // namespace strativex
