#pragma once
// The files of some folders as a test found them, put back when it ends.
// The tests of the program window share one set of folders per process:
// the preferences, the recent-file list or a damaged materials library that
// one test leaves must not meet the tests after it, whatever their order.
// Files named as kept (the session log of the whole run) stay as they are.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

class SavedFolders
{
public:
    using Path = std::filesystem::path;

    SavedFolders(std::vector<Path> roots, std::set<Path> kept)
        : m_roots(std::move(roots))
        , m_kept(std::move(kept))
    {
        for (const Path& root : m_roots)
            for (const Path& entry : Entries(root)) {
                std::error_code error;
                const auto status = std::filesystem::symlink_status(entry, error);
                if (error || m_kept.count(entry))
                    continue;
                if (std::filesystem::is_directory(status))
                    m_folders[entry] = status.permissions();
                else if (std::filesystem::is_regular_file(status))
                    m_files[entry] = { Read(entry), std::filesystem::last_write_time(entry, error),
                        status.permissions() };
            }
    }
    ~SavedFolders() { Restore(); }
    SavedFolders(const SavedFolders&) = delete;
    SavedFolders& operator=(const SavedFolders&) = delete;

    void Restore() const
    {
        std::error_code error;
        // Folders first open again, so that what is in them can be put back.
        for (const auto& [folder, permissions] : m_folders) {
            std::filesystem::create_directories(folder, error);
            std::filesystem::permissions(folder, permissions, error);
        }
        std::vector<Path> newFolders;
        for (const Path& root : m_roots)
            for (const Path& entry : Entries(root)) {
                if (m_kept.count(entry) || m_files.count(entry) || m_folders.count(entry))
                    continue;
                if (std::filesystem::is_directory(std::filesystem::symlink_status(entry, error)))
                    newFolders.push_back(entry);
                else
                    std::filesystem::remove(entry, error);
            }
        // The deepest first; one that holds a kept file stays.
        std::sort(newFolders.rbegin(), newFolders.rend());
        for (const Path& folder : newFolders)
            std::filesystem::remove(folder, error);
        for (const auto& [file, saved] : m_files)
            PutBack(file, saved);
    }

private:
    struct SavedFile
    {
        std::string bytes;
        std::filesystem::file_time_type written;
        std::filesystem::perms permissions;
    };

    // Every entry below the root, the root not among them.
    static std::vector<Path> Entries(const Path& root)
    {
        std::vector<Path> entries;
        std::error_code error;
        for (auto it = std::filesystem::recursive_directory_iterator(
                 root, std::filesystem::directory_options::skip_permission_denied, error);
             !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
            entries.push_back(it->path());
        return entries;
    }

    static std::string Read(const Path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    }

    static void PutBack(const Path& file, const SavedFile& saved)
    {
        std::error_code error;
        std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
            std::filesystem::perm_options::add, error);
        if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(file, error)))
            std::filesystem::remove_all(file, error);
        else if (Read(file) == saved.bytes) {
            std::filesystem::permissions(file, saved.permissions, error);
            return;
        }
        const auto changed = std::filesystem::last_write_time(file, error);
        std::ofstream(file, std::ios::binary | std::ios::trunc).write(saved.bytes.data(),
            static_cast<std::streamsize>(saved.bytes.size()));
        // Qt's settings reread a file whose time or size changed; with the
        // same size and the time the test left, they would answer from
        // their cache what the test wrote.
        std::filesystem::last_write_time(
            file, !error && changed == saved.written ? saved.written - std::chrono::seconds(1) : saved.written,
            error);
        std::filesystem::permissions(file, saved.permissions, error);
    }

    std::vector<Path> m_roots;
    std::set<Path> m_kept;
    std::map<Path, std::filesystem::perms> m_folders;
    std::map<Path, SavedFile> m_files;
};
