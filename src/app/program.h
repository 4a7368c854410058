#pragma once
// The program's windows, created in their fixed order and destroyed in the reverse order.

#include "base/services.h"

#include <memory>

namespace vireo {

class TMain;
class TfmContest;
class TComentAdif;
class TSntp;
class TRptQso;
class TAboutBox;
class TfmCabrillo;
class TfmStart;
namespace rules {
class RulesTracker;
}

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
    // The score of the log by the contest rules chosen in the tour window.
    rules::RulesTracker &rulesTracker() { return *m_rules; }

    // Whether the first-run dialog asked for the program to start again after this run.
    bool relaunchRequested() const { return m_relaunch; }

private:
    void relaunch();

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
};

} // namespace vireo
