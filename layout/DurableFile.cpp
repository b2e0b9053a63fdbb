#include "layout/DurableFile.h"

#include <filesystem>
#include <stdexcept>

#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>

namespace layout {

namespace {

std::runtime_error WriteError(const wxString& what, const wxString& path)
{
    return std::runtime_error(std::string((what + " " + path).utf8_str()));
}

/// Removes the temporary file unless the rename took it over.
class TemporaryFile
{
public:
    explicit TemporaryFile(const wxString& target)
    {
        const wxFileName name(target);
        m_path = wxFileName::CreateTempFileName(
            wxFileName(name.GetPath(), "." + name.GetFullName() + ".").GetFullPath(), &m_file);
    }
    ~TemporaryFile()
    {
        if (m_file.IsOpened())
            m_file.Close();
        if (!m_path.empty() && !m_committed)
            wxRemoveFile(m_path);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool IsOpen() const { return !m_path.empty() && m_file.IsOpened(); }
    wxFile& File() { return m_file; }
    const wxString& Path() const { return m_path; }
    void MarkCommitted() { m_committed = true; }

private:
    wxFile m_file;
    wxString m_path;
    bool m_committed = false;
};

// A new file would otherwise get the private mode of a temporary file and
// stop being readable by whoever could read the old one.
void KeepPermissionsOf(const std::string& target, const wxString& replacement)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(fs::u8path(target), error);
    if (error || !fs::exists(status))
        return;
    fs::permissions(fs::u8path(std::string(replacement.utf8_str())), status.permissions(),
                    fs::perm_options::replace, error);
}

}  // namespace

void ReplaceFileContents(const std::string& path, const std::string& contents)
{
    // Failures are reported to the caller; the toolkit must not pop up
    // message boxes of its own for them.
    wxLogNull quiet;
    const wxString target = wxString::FromUTF8(path);
    TemporaryFile temporary(target);
    if (!temporary.IsOpen())
        throw WriteError("cannot create a temporary file beside", target);
    if (!contents.empty() && temporary.File().Write(contents.data(), contents.size()) != contents.size())
        throw WriteError("cannot write", temporary.Path());
    // Flush forces the bytes to the disk: a rename that outlives a crash
    // must not point at data that never got there.
    if (!temporary.File().Flush() || !temporary.File().Close())
        throw WriteError("cannot flush", temporary.Path());
    KeepPermissionsOf(path, temporary.Path());
    if (!wxRenameFile(temporary.Path(), target, true))
        throw WriteError("cannot replace", target);
    temporary.MarkCommitted();
}

}  // namespace layout
