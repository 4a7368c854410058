#pragma once
// A disk that fills up on the test's word: an SQLite file system over the real one, made the
// default for every connection opened while it lives (the program's own included, since they
// share the one SQLite library), whose writes fail as on a full disk while full is set. Reads,
// locks and everything else go to the real files.

namespace vireo::test {

class FullDisk {
public:
    FullDisk();
    ~FullDisk();
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    void setFull(bool full);
    // Writes refused since the disk was last set full.
    int refusedWrites() const;
};

} // namespace vireo::test
