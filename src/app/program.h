#pragma once
// The program's windows, created in their fixed order and destroyed in the reverse order.

#include "base/services.h"

#include <memory>

namespace vireo {

class TBandMap;
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
namespace rules {
class RuleLine;
class RulesTracker;
class TScore;
} // namespace rules

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
    TBandMap &bandMap() { return *m_bandMap; }
    // The score of the log by the contest rules chosen in the tour window.
    rules::RulesTracker &rulesTracker() { return *m_rules; }
    // The score window ("Окна" -> "Счёт", action actScore).
    rules::TScore &score() { return *m_score; }
    // The line lbRule that says how the record being typed will count (a child of the entry
    // panel Panel1, hidden until the panel gives it a row of its own).
    rules::RuleLine &ruleLine() { return *m_ruleLine; }
    // The receiver's audio: its recording, replay and the actions of the main window for them.
    AudioService &audio() { return *m_audio; }
    AudioControls &audioControls() { return *m_audioControls; }

    // Whether the first-run dialog asked for the program to start again after this run.
    bool relaunchRequested() const { return m_relaunch; }

private:
    void relaunch();
    void attachBandMap();
    // The score window with its action, the rule line and the statistics' points by the rules.
    void attachRules();

    AppContext m_ctx;
    bool m_relaunch = false;
    std::unique_ptr<TMain> m_main;
    std::unique_ptr<rules::RulesTracker> m_rules;
    std::unique_ptr<TfmContest> m_contest;
    std::unique_ptr<TComentAdif> m_coment;
    std::unique_ptr<TSntp> m_sntp;
    std::unique_ptr<TRptQso> m_rptQso;
    std::unique_ptr<TAboutBox> m_about;
    std::unique_ptr<TfmCabrillo> m_cabrillo;
    std::unique_ptr<TfmStart> m_start;
    std::unique_ptr<TBandMap> m_bandMap;
    std::unique_ptr<rules::TScore> m_score;
    rules::RuleLine *m_ruleLine = nullptr; // owned by the main window, in its row over the entry area
    std::unique_ptr<AudioService> m_audio;
    std::unique_ptr<AudioControls> m_audioControls;
};

} // namespace vireo
