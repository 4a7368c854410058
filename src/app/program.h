#pragma once
// The program's windows, created in their fixed order and destroyed in the reverse order.

#include "base/services.h"

#include <memory>

namespace vireo {

class AudioControls;
class AudioService;
class TMain;
class TfmContest;
class TComentAdif;
class TSntp;
class TRptQso;
class TAboutBox;
class TfmCabrillo;
class TfmStart;

class Program {
public:
    // Creates every window; throws vireo::Error when the log cannot be opened.
    explicit Program(const AppContext &context);
    ~Program();

    TMain &main() { return *m_main; }
    TfmContest &contest() { return *m_contest; }
    TComentAdif &coment() { return *m_coment; }
    TSntp &sntp() { return *m_sntp; }
    TRptQso &rptQso() { return *m_rptQso; }
    TAboutBox &about() { return *m_about; }
    TfmCabrillo &cabrillo() { return *m_cabrillo; }
    TfmStart &start() { return *m_start; }
    // The receiver's audio: its recording, replay and the actions of the main window for them.
    AudioService &audio() { return *m_audio; }
    AudioControls &audioControls() { return *m_audioControls; }

    // Whether the first-run dialog asked for the program to start again after this run.
    bool relaunchRequested() const { return m_relaunch; }

private:
    void relaunch();

    AppContext m_ctx;
    bool m_relaunch = false;
    std::unique_ptr<TMain> m_main;
    std::unique_ptr<TfmContest> m_contest;
    std::unique_ptr<TComentAdif> m_coment;
    std::unique_ptr<TSntp> m_sntp;
    std::unique_ptr<TRptQso> m_rptQso;
    std::unique_ptr<TAboutBox> m_about;
    std::unique_ptr<TfmCabrillo> m_cabrillo;
    std::unique_ptr<TfmStart> m_start;
    std::unique_ptr<AudioService> m_audio;
    std::unique_ptr<AudioControls> m_audioControls;
};

} // namespace vireo
