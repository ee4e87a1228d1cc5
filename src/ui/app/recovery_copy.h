// The recovery copy: while the project has unsaved changes, its project-file form is written now
// and then into the user's state folder, so that a crash or a kill loses at most one interval of
// work. Each running editor writes its own copy, guarded by a lock file that dies with it; the
// next start finds the copies whose editor is gone and offers them.
#pragma once

#include <QDateTime>
#include <QList>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <string>

class CProjectContext;

class CRecoveryCopy : public QObject {
    Q_OBJECT

public:
    static constexpr int kDefaultIntervalMs = 30000;

    // A copy left behind by an editor that did not end cleanly.
    struct Abandoned {
        QString copyPath; // the project-file form
        QString infoPath; // what the copy came from
        QString lockPath;
        QString projectName;
        QString projectFile; // the file the project was saved to, empty when it had none
        QString projectFolder; // where its pictures and fonts live
        QDateTime written;
    };

    explicit CRecoveryCopy(CProjectContext &project, QObject *parent = nullptr);
    // A clean end: this editor's copy goes.
    ~CRecoveryCopy() override;

    // $XDG_STATE_HOME/KXDialogEditor, with ~/.local/state standing in for an unset or relative
    // XDG_STATE_HOME.
    static QString DefaultFolder();
    // Where copies are written and looked for (the default folder unless set).
    void SetFolder(const QString &folder);
    const QString &Folder() const { return m_folder; }
    // Time between two writes while the project stays modified.
    void SetInterval(int milliseconds);
    int Interval() const { return m_timer.interval(); }

    // The file that the project is saved to without asking, kept beside the copy so that a
    // restored project saves there again; empty when it has none.
    void SetProjectFile(const std::string &path) { m_projectFile = path; }

    // The project went from saved to unsaved (copies start) or back, or its changes were given
    // up (copies stop and the copy goes).
    void ModifiedChanged(bool modified);
    // Writes the copy now unless the project is unchanged since the last one; false when it
    // could not be written.
    bool WriteNow();
    // Removes this editor's copy.
    void Remove();
    // This editor's copy (it exists only while the project has unsaved changes).
    QString CopyPath() const;

    // The copies of editors that are no longer running, newest first.
    QList<Abandoned> FindAbandoned() const;
    // Removes an abandoned copy with its companions.
    static void Discard(const Abandoned &copy);

private:
    QString PathOf(const QString &suffix) const;
    bool TakeLock();

    CProjectContext &m_project;
    QString m_folder;
    QString m_session;
    std::string m_projectFile;
    std::string m_written; // the text of the last copy
    std::unique_ptr<QLockFile> m_lock;
    QTimer m_timer;
};
