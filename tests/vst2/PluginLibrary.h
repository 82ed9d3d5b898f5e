#pragma once

// A plug-in library loaded into the test process, and the addresses of its exported names.
class PluginLibrary {
public:
    explicit PluginLibrary(const char* path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    bool Loaded() const { return handle != nullptr; }
    // Null when the library does not export the name.
    void* Symbol(const char* name) const;

private:
    void* handle;
};
