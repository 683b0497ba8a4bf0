#include "sync_engine.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <tuple>

#include "caldav.h"
#include "calendar/data/icalendar_import.h"
#include "calendar/data/section_file.h"
#include "calendar/data/timed_entries.h"
#include "line_events.h"
#include "own_items.h"
#include "shared/cp932.h"
#include "shared/date_math.h"
#include "sync_state.h"

namespace tavo::sync {
namespace {

constexpr char kConflictMark[] = "【競合】";
constexpr int kMostNewNameTries = 3;

// A line as the files keep it: no line end inside, a header-like start with a full-width colon.
std::string storable(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    const std::string body = sectionBody(text);
    return body.substr(0, body.size() - 2);
}

std::vector<std::string> linesOfText(std::string_view text) {
    std::vector<std::string> lines;
    for (std::string_view raw : fileLines(text))
        if (const std::string_view line = lineContent(raw); !line.empty()) lines.emplace_back(line);
    return lines;
}

struct MonthOf {
    int year, month;
};
MonthOf monthOf(int serial) {
    int y, m, d;
    civilFromSerial(serial, y, m, d);
    return {y, m};
}
int dayOf(int serial) {
    int y, m, d;
    civilFromSerial(serial, y, m, d);
    return d;
}

// Two texts of one line: equal, or the same times and title however the times
// are written ("9:00" here, "09:00" from the server).
bool sameLine(const std::string& a, const std::string& b) {
    if (a == b) return true;
    const std::optional<TimedLine> x = parseTimedLine(a), y = parseTimedLine(b);
    return x && y && x->start == y->start && x->end == y->end && x->title == y->title;
}

bool sameLine(const EventLine& a, int serial, const std::string& text) { return a.serial == serial && sameLine(a.text, text); }

// The item's name on the server: characters no server writes otherwise
// (percent-encoded), so the href it lists is the one Tavo keeps.
std::string fileNameOf(std::string uid) {
    for (char& c : uid)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_') c = '-';
    return uid + ".ics";
}

// What the files are to get: per day, lines removed (one each) and lines added.
struct DayChange {
    std::vector<std::string> removed, added;
};

struct Remote {
    std::string etag, ics;
    EventLines lines;
};

enum class LocalState { Same, Edited, Deleted };

class Sync {
public:
    Sync(HttpClient& http, FileSystem& files, const PathSettings& paths, const SyncRequest& request)
        : http_(http), files_(files), paths_(paths), request_(request) {}

    SyncSummary run() {
        if (!loadState() || !readLocal()) return fail();
        wantOwn();
        if (!listServer()) return fail();
        compareLocal();
        for (auto& [href, entries] : byHref_) decide(href, entries);
        adoptOrAddRemoteNew();
        for (const Added& a : added_)
            if (!a.taken) putNew(a.serial, a.text, a.sameBefore, summary_.server.added);
        publishOwn();
        return finishAfterServer();
    }

private:
    struct Added {
        int serial;
        std::string text;
        int sameBefore;  // same lines of the day before it
        bool taken = false;
    };

    SyncSummary fail() {
        summary_.ok = false;
        return summary_;
    }

    bool loadState() {
        const FileContent file = files_.readFile(syncStateFile(paths_));
        if (!readWhole(file)) return summary_.problem = "同期の記録を読めません: " + file.problem, false;
        stateText_ = std::string(completeLines(file));
        SyncStateRead read = parseSyncState(stateText_);
        if (read.damagedLines > 0) summary_.notes.push_back("同期の記録の" + std::to_string(read.damagedLines) + "行を読めませんでした");
        state_ = read.state.calendarUrl == request_.calendarUrl ? std::move(read.state) : SyncState{request_.calendarUrl, {}, {}, {}};
        for (const SyncEntry& e : state_.entries)
            if (e.serial >= request_.firstSerial && e.serial <= request_.lastSerial) byHref_[e.href].push_back(e);
            else outside_.push_back(e);  // outside the days synced now: kept as it was
        for (const OwnEntry& o : state_.own) ownState_[o.uid] = o, ownHref_[o.href] = o.uid;
        return true;
    }

    bool readLocal() {
        for (int serial = request_.firstSerial; serial <= request_.lastSerial;) {
            const MonthOf m = monthOf(serial);
            const std::string path = scheduleFile(paths_, kScheduleDay, m.year, m.month);
            const FileContent file = files_.readFile(path);
            if (!readWhole(file)) return summary_.problem = path + "を読めません: " + file.problem, false;
            const int length = monthLengthOf(m.year, m.month);
            for (int day = dayOf(serial); day <= length && serial <= request_.lastSerial; ++day, ++serial)
                if (!file.missing) local_[serial] = linesOfText(readSection(completeLines(file), day));
        }
        return true;
    }

    bool listServer() {
        const Listing listing = listCalendar(http_, request_.calendarUrl, state_.token);
        if (!listing.ok) return summary_.problem = listing.problem, false;
        newToken_ = listing.syncToken;
        std::vector<std::string> toFetch;
        std::set<std::string> listed;
        for (const ItemVersion& v : listing.items) {
            listed.insert(v.url);
            if (const auto own = ownHref_.find(v.url); own != ownHref_.end()) {
                if (v.etag.empty()) ownGone_.insert(own->second);
                else if (v.etag != ownState_[own->second].etag) toFetch.push_back(v.url);
                continue;
            }
            const auto known = byHref_.find(v.url);
            if (v.etag.empty()) {
                if (known != byHref_.end()) gone_.insert(v.url);
            } else if (known == byHref_.end() || known->second.front().etag != v.etag) {
                if (!knownOutside(v.url, v.etag)) toFetch.push_back(v.url);
            }
        }
        if (!listing.incremental) {  // a whole listing: what it lacks is gone
            for (const auto& [href, entries] : byHref_)
                if (!listed.count(href)) gone_.insert(href);
            for (const auto& [href, uid] : ownHref_)
                if (!listed.count(href)) ownGone_.insert(uid);
        }
        return fetch(toFetch);
    }

    bool knownOutside(const std::string& href, const std::string& etag) const {
        return std::any_of(outside_.begin(), outside_.end(), [&](const SyncEntry& e) { return e.href == href && e.etag == etag; });
    }

    bool fetch(const std::vector<std::string>& urls) {
        if (urls.empty()) return true;
        const Fetch fetched = fetchItems(http_, request_.calendarUrl, urls);
        if (!fetched.ok) return summary_.problem = fetched.problem, false;
        for (const FetchedItem& item : fetched.items) {
            Remote r{item.etag, item.ics, linesOfEvent(item.ics, request_.firstSerial, request_.lastSerial)};
            if (!r.lines.problem.empty()) continue;  // not an event Tavo reads (a task, a journal): left alone
            if (ownState_.count(r.lines.uid) || wantedUids_.count(r.lines.uid)) {
                ownFetched_[r.lines.uid] = item;
                continue;
            }
            for (EventLine& l : r.lines.lines) l.text = storable(std::move(l.text));
            if (tooLong(r)) continue;
            changed_[item.url] = std::move(r);
        }
        if (fetched.items.size() < urls.size()) newToken_.clear();  // some went meanwhile: list them again next time
        return true;
    }

    // A line longer than a day's whole schedule may be is not brought into the files (and is told).
    bool tooLong(const Remote& r) {
        for (const EventLine& l : r.lines.lines)
            if (l.text.size() > kScheduleTextBytes) {
                summary_.notes.push_back("長すぎる予定は取り込みませんでした: " + l.text.substr(0, 40) + "...");
                return true;
            }
        return false;
    }

    // Which lines of each day are as last synced, which are gone, which are new.
    void compareLocal() {
        std::map<int, std::vector<std::string>> left = local_;
        for (auto& [href, entries] : byHref_)
            for (SyncEntry& e : entries) {
                std::vector<std::string>& day = left[e.serial];
                const auto found = std::find(day.begin(), day.end(), e.text);
                present_[&e] = found != day.end();
                if (found != day.end()) day.erase(found);
            }
        for (auto& [serial, lines] : left)
            for (std::size_t i = 0; i < lines.size(); ++i) {
                const int same = static_cast<int>(std::count(lines.begin(), lines.begin() + static_cast<long>(i), lines[i]));
                added_.push_back({serial, lines[i], same});
            }
    }

    // A line of a single item gone from its day while a new line came on that day: edited.
    std::optional<std::string> editOf(const SyncEntry& e) {
        for (Added& a : added_)
            if (!a.taken && a.serial == e.serial) {
                a.taken = true;
                return a.text;
            }
        return std::nullopt;
    }

    void decide(const std::string& href, std::vector<SyncEntry>& entries) {
        const auto remote = changed_.find(href);
        const bool gone = gone_.count(href) > 0;
        if (entries.size() != 1 || !entries.front().single) return decideSeries(href, entries, remote, gone);
        SyncEntry& e = entries.front();
        LocalState local = present_[&e] ? LocalState::Same : LocalState::Deleted;
        std::string edited;
        if (local == LocalState::Deleted)
            if (std::optional<std::string> t = editOf(e)) local = LocalState::Edited, edited = *t;
        if (gone) return goneOnServer(e, local, edited);
        if (remote != changed_.end()) return changedOnServer(e, local, edited, remote->second);
        if (local == LocalState::Same) return keep(e);
        if (local == LocalState::Edited) return writeEdit(e, edited);
        deleteOnServer(e);
    }

    void keep(const SyncEntry& e) { entries_.push_back(e); }

    void goneOnServer(const SyncEntry& e, LocalState local, const std::string& edited) {
        if (local == LocalState::Same) remove(e.serial, e.text), ++summary_.here.deleted;
        if (local == LocalState::Edited) putNew(e.serial, edited, 0, summary_.server.added);
    }

    void changedOnServer(const SyncEntry& e, LocalState local, const std::string& edited, const Remote& r) {
        const bool sameAsHere = local == LocalState::Edited && r.lines.lines.size() == 1 &&
                                sameLine(r.lines.lines.front(), e.serial, edited);
        const bool asBefore = local == LocalState::Same && r.lines.lines.size() == 1 &&
                              sameLine(r.lines.lines.front(), e.serial, e.text);  // changed where Tavo does not look
        if (sameAsHere) return linkLines(e.href, r, {edited});
        if (asBefore) return linkLines(e.href, r, {e.text});
        if (local == LocalState::Same) {  // only the server changed
            replaceLines({e}, r);
            ++summary_.here.changed;
            return;
        }
        if (local == LocalState::Deleted) {  // the server's edit is kept over the deletion
            addLines(e.href, r, "");
            summary_.notes.push_back("サーバーで変更された予定を残しました: " + firstText(r));
            return;
        }
        // Changed on both sides: this side's line stays (and goes to the server as its own item),
        // the server's version comes beside it.
        putNew(e.serial, edited, 0, summary_.server.added);
        addLines(e.href, r, kConflictMark);
        ++summary_.conflicts;
        summary_.notes.push_back(std::string("両方で変更されていた予定を両方残しました: ") + edited);
    }

    // A line of a series' occurrence gone from its day: edited when a new line came on that day.
    struct OccurrenceEdit {
        SyncEntry entry;
        OccurrenceChange change;
    };

    void decideSeries(const std::string& href, std::vector<SyncEntry>& entries, std::map<std::string, Remote>::iterator remote,
                      bool gone) {
        std::vector<SyncEntry> here;
        std::vector<OccurrenceEdit> mine;
        for (SyncEntry& e : entries)
            if (present_[&e]) here.push_back(e);
            else if (e.occurrence == 0) summary_.notes.push_back("サーバーの繰り返し予定は変更していません: " + e.text);
            else mine.push_back({e, {e.occurrence, e.serial, editOf(e)}});
        if (gone) {
            for (const SyncEntry& e : here) remove(e.serial, e.text), ++summary_.here.deleted;
            for (const OccurrenceEdit& m : mine)
                if (m.change.line) putNew(m.entry.serial, *m.change.line, 0, summary_.server.added);
        } else if (!mine.empty()) {
            writeOccurrences(href, entries, here, mine, remote == changed_.end() ? std::nullopt : std::optional(remote->second));
        } else if (remote != changed_.end()) {
            settleSeries(href, here, {}, {}, remote->second);
        } else {
            entries_.insert(entries_.end(), here.begin(), here.end());
        }
    }

    Remote remoteOf(const FetchedItem& item) const {
        return Remote{item.etag, item.ics, linesOfEvent(item.ics, request_.firstSerial, request_.lastSerial)};
    }

    std::optional<Remote> fetchRemote(const std::string& href) {
        const std::optional<FetchedItem> item = fetchOne(href);
        return item ? std::optional(remoteOf(*item)) : std::nullopt;
    }

    // This side's changes of occurrences go into the series as the server
    // holds it now, each unless the server changed that occurrence too.
    void writeOccurrences(const std::string& href, const std::vector<SyncEntry>& old, const std::vector<SyncEntry>& here,
                          const std::vector<OccurrenceEdit>& mine, std::optional<Remote> base) {
        if (!base) base = fetchRemote(href);
        for (int attempt = 0; base && attempt < kMostNewNameTries; ++attempt) {
            std::vector<OccurrenceChange> applied;
            std::vector<OccurrenceEdit> refused;
            for (const OccurrenceEdit& m : mine)
                if (asLastSynced(*base, m.entry)) applied.push_back(m.change);
                else refused.push_back(m);
            const std::string ics = withOccurrences(base->ics, applied);
            const WriteResult put = applied.empty() ? WriteResult{204, base->etag, {}} : putItem(http_, href, ics, base->etag);
            if (put.written()) {
                settleSeries(href, here, applied, refused, {put.etag, ics, linesOfEvent(ics, request_.firstSerial, request_.lastSerial)});
                return;
            }
            if (put.status != 412) break;
            base = fetchRemote(href);
        }
        for (const SyncEntry& e : old) keepUnsent(e, {});
    }

    static bool asLastSynced(const Remote& r, const SyncEntry& e) {
        return std::any_of(r.lines.lines.begin(), r.lines.lines.end(), [&](const EventLine& l) {
            return l.occurrence == e.occurrence && l.serial == e.serial && sameLine(l.text, e.text);
        });
    }

    // The files and the state after a series became `now`: lines this side
    // has stay, the server's others come (a refused edit's beside this side's
    // line, marked), lines it no longer has go.
    void settleSeries(const std::string& href, std::vector<SyncEntry> here, const std::vector<OccurrenceChange>& applied,
                      const std::vector<OccurrenceEdit>& refused, const Remote& now) {
        bool filesChanged = false;
        for (const EventLine& l : now.lines.lines) {
            const auto edit = std::find_if(applied.begin(), applied.end(), [&](const OccurrenceChange& c) { return c.occurrence == l.occurrence; });
            const auto kept = std::find_if(here.begin(), here.end(), [&](const SyncEntry& e) { return sameLine(e.text, l.text) && e.serial == l.serial; });
            const bool clash = std::any_of(refused.begin(), refused.end(), [&](const OccurrenceEdit& m) { return m.entry.occurrence == l.occurrence && m.change.line; });
            std::string text = edit != applied.end() && edit->line ? *edit->line : kept != here.end() ? kept->text : (clash ? kConflictMark : "") + l.text;
            if (edit == applied.end() && kept == here.end()) add(l.serial, text), filesChanged = true;
            if (kept != here.end() && (edit == applied.end() || !edit->line)) here.erase(kept);
            entries_.push_back({l.serial, text, href, now.etag, now.lines.uid, false, l.occurrence});
        }
        for (const SyncEntry& gone : here) remove(gone.serial, gone.text), filesChanged = true;
        if (filesChanged) ++summary_.here.changed;
        for (const OccurrenceChange& c : applied) ++(c.line ? summary_.server.changed : summary_.server.deleted);
        for (const OccurrenceEdit& m : refused) {
            if (!m.change.line) {
                summary_.notes.push_back("サーバーで変更された予定を残しました: " + m.entry.text);
                continue;
            }
            putNew(m.entry.serial, *m.change.line, 0, summary_.server.added);
            ++summary_.conflicts;
            summary_.notes.push_back("両方で変更されていた予定を両方残しました: " + *m.change.line);
        }
    }

    static std::string firstText(const Remote& r) { return r.lines.lines.empty() ? std::string() : r.lines.lines.front().text; }

    void replaceLines(const std::vector<SyncEntry>& old, const Remote& r) {
        for (const SyncEntry& e : old) remove(e.serial, e.text);
        addLines(old.empty() ? std::string() : old.front().href, r, "");
    }

    // The item's lines added to their days (marked), and tied to it.
    void addLines(const std::string& href, const Remote& r, const std::string& mark) {
        for (const EventLine& l : r.lines.lines) {
            add(l.serial, mark + l.text);
            entries_.push_back({l.serial, mark + l.text, href, r.etag, r.lines.uid, r.lines.single, l.occurrence});
        }
    }

    // The item's lines are on their days already (as `here` writes them): tied, nothing written.
    void linkLines(const std::string& href, const Remote& r, const std::vector<std::string>& here) {
        for (std::size_t i = 0; i < r.lines.lines.size(); ++i) {
            const EventLine& l = r.lines.lines[i];
            entries_.push_back({l.serial, i < here.size() ? here[i] : l.text, href, r.etag, r.lines.uid, r.lines.single, l.occurrence});
        }
    }

    // Items new on the server: tied to the same lines this side has (a first
    // sync, or a sync cut off after its writes), else added to the files.
    void adoptOrAddRemoteNew() {
        for (const auto& [href, r] : changed_) {
            if (byHref_.count(href)) continue;
            bool adopted = !r.lines.lines.empty();
            std::vector<Added*> matches;
            for (const EventLine& l : r.lines.lines) {
                const auto found = std::find_if(added_.begin(), added_.end(), [&](const Added& a) {
                    return !a.taken && sameLine(l, a.serial, a.text) &&
                           std::find(matches.begin(), matches.end(), &a) == matches.end();
                });
                if (found == added_.end()) adopted = false;
                else matches.push_back(&*found);
            }
            if (adopted) {
                std::vector<std::string> texts;
                for (Added* a : matches) a->taken = true, texts.push_back(a->text);
                linkLines(href, r, texts);
            } else if (!r.lines.lines.empty()) {
                addLines(href, r, "");
                summary_.here.added += static_cast<int>(r.lines.lines.size());
            }
        }
    }

    void writeEdit(const SyncEntry& e, const std::string& text) {
        const Fetch now = fetchItems(http_, request_.calendarUrl, {e.href});
        if (!now.ok || now.items.empty()) return keepUnsent(e, text);
        const WriteResult put = putItem(http_, e.href, withLine(now.items.front().ics, e.serial, text), e.etag);
        if (put.written()) {
            entries_.push_back({e.serial, text, e.href, put.etag, e.uid, true});
            ++summary_.server.changed;
        } else if (put.status == 412) {
            changedOnServer(e, LocalState::Edited, text, remoteOf(now.items.front()));
        } else {
            keepUnsent(e, text, put.problem);
        }
    }

    void deleteOnServer(const SyncEntry& e) {
        const WriteResult gone = deleteItem(http_, e.href, e.etag);
        if (gone.written()) {
            ++summary_.server.deleted;
            return;
        }
        if (gone.status != 412) return keepUnsent(e, {}, gone.problem);
        const Fetch now = fetchItems(http_, request_.calendarUrl, {e.href});
        if (!now.ok || now.items.empty()) return keepUnsent(e, {}, now.problem);
        changedOnServer(e, LocalState::Deleted, {}, remoteOf(now.items.front()));
    }

    // A change that could not reach the server: the state keeps the old line,
    // so the next sync tries again; the token is not advanced.
    void keepUnsent(const SyncEntry& e, const std::string&, const std::string& problem = {}) {
        entries_.push_back(e);
        newToken_.clear();
        if (summary_.problem.empty()) summary_.problem = problem.empty() ? std::string("サーバーに書き込めませんでした") : problem;
    }

    void putNew(int serial, const std::string& text, int sameBefore, int& counter) {
        for (int attempt = 0; attempt < kMostNewNameTries; ++attempt) {
            const std::string uid = uidForLine(serial, text, sameBefore + attempt * 1000);
            const std::string href = request_.calendarUrl + fileNameOf(uid);
            const WriteResult put = putItem(http_, href, eventOfLine(uid, serial, text), "");
            if (put.written()) {
                entries_.push_back({serial, text, href, put.etag, uid, true});
                ++counter;
                return;
            }
            if (put.status != 412) break;
            // There already: written by a sync cut off before it kept its state?
            const Fetch there = fetchItems(http_, request_.calendarUrl, {href});
            if (there.ok && !there.items.empty()) {
                const EventLines lines = linesOfEvent(there.items.front().ics, request_.firstSerial, request_.lastSerial);
                if (lines.lines.size() == 1 && sameLine({serial, storable(lines.lines.front().text)}, lines.lines.front().serial, text)) {
                    entries_.push_back({serial, text, href, there.items.front().etag, uid, true});
                    return;
                }
            }
        }
        newToken_.clear();
        if (summary_.problem.empty()) summary_.problem = "新しい予定をサーバーに書き込めませんでした: " + text;
    }

    // --- Tavo's recurring schedules, birthdays and anniversaries ---

    void wantOwn() {
        if (!request_.own) return;
        wanted_ = ownItems(*request_.own, yearOf(request_.firstSerial), yearOf(request_.lastSerial));
        for (const OwnItem& item : wanted_) wantedUids_.insert(item.uid);
    }

    static int yearOf(int serial) { return monthOf(serial).year; }

    void publishOwn() {
        if (!request_.own) {
            for (const auto& [uid, entry] : ownState_) ownAfter_.push_back(entry);
            return;
        }
        for (const OwnItem& item : wanted_) publish(item);
        for (const auto& [uid, entry] : ownState_)
            if (!wantedUids_.count(uid)) withdraw(entry);
    }

    const OwnEntry* knownOwn(const std::string& uid) const {
        const auto known = ownState_.find(uid);
        return known == ownState_.end() ? nullptr : &known->second;
    }

    void publish(const OwnItem& item) {
        const OwnEntry* known = knownOwn(item.uid);
        if (const auto fetched = ownFetched_.find(item.uid); fetched != ownFetched_.end())
            return meetServerVersion(item, known, fetched->second);
        if (known && ownGone_.count(item.uid)) {  // Tavo's files still hold it: written again
            summary_.notes.push_back("サーバーで削除された繰り返し予定を書き戻しました: " + summaryOf(item.ics));
            return putOwn(item, known->href, "", true);
        }
        if (!known) return putOwn(item, request_.calendarUrl + fileNameOf(item.uid), "", true);
        if (known->print == fingerprint(item.ics)) return ownAfter_.push_back(*known);
        putOwn(item, known->href, known->etag, true);
    }

    void putOwn(const OwnItem& item, const std::string& href, const std::string& etag, bool mayRetry) {
        const WriteResult put = putItem(http_, href, item.ics, etag);
        if (put.written()) {
            ownAfter_.push_back({item.uid, href, put.etag, fingerprint(item.ics)});
            ++(etag.empty() ? summary_.server.added : summary_.server.changed);
            return;
        }
        if (put.status == 412 && mayRetry)  // there, or changed there since: as the server holds it now
            if (const std::optional<FetchedItem> now = fetchOne(href)) return meetServerVersion(item, knownOwn(item.uid), *now, false);
        keepOwnUnsent(item.uid, put.problem);
    }

    // The server holds a version Tavo did not write last: as written (an
    // alarm added), its text edited (brought back when Tavo's files did not
    // change meanwhile), or any other change, whose days are kept as day lines
    // (Tavo's version is written over it next time).
    void meetServerVersion(const OwnItem& item, const OwnEntry* known, const FetchedItem& server, bool mayRetry = true) {
        const BackEdit back = editBack(request_.own->paths, item, server.ics);
        const bool sameHere = known && known->print == fingerprint(item.ics);
        if (back.version == ServerVersion::AsWritten || (back.version == ServerVersion::TextEdited && sameHere)) {
            if (back.version == ServerVersion::TextEdited) {
                ownEdits_.push_back(back.edit);
                editedBack_.insert(item.uid);
                ownByFiles_.insert(item.uid);
                ++summary_.here.changed;
            } else if (!sameHere && known && mayRetry) {  // changed here, untouched there but for its extras
                return putOwn(item, server.url, server.etag, false);
            }
            ownAfter_.push_back({item.uid, server.url, server.etag, fingerprint(item.ics)});
            return;
        }
        keepAsDayLines(server, item.ics);
        ownAfter_.push_back({item.uid, server.url, server.etag, {}});
    }

    // Deleted from Tavo's files: deleted there unless changed there since (then its days stay as day lines first).
    void withdraw(const OwnEntry& entry) {
        if (ownGone_.count(entry.uid)) return;
        if (const auto fetched = ownFetched_.find(entry.uid); fetched != ownFetched_.end())
            return keepChangedThere(entry, fetched->second);
        const WriteResult gone = deleteItem(http_, entry.href, entry.etag);
        if (gone.written() || gone.status == 404) {
            ++summary_.server.deleted;
            return;
        }
        if (gone.status == 412)
            if (const std::optional<FetchedItem> now = fetchOne(entry.href)) return keepChangedThere(entry, *now);
        keepOwnUnsent(entry.uid, gone.problem);
    }

    void keepChangedThere(const OwnEntry& entry, const FetchedItem& server) {
        keepAsDayLines(server, {});
        ownAfter_.push_back({entry.uid, server.url, server.etag, {}});  // deleted next time, its days kept
    }

    // The server's days of an item that Tavo's version lacks, as day lines (once).
    void keepAsDayLines(const FetchedItem& server, const std::string& tavoVersion) {
        const EventLines theirs = linesOfEvent(server.ics, request_.firstSerial, request_.lastSerial);
        const EventLines ours = linesOfEvent(tavoVersion, request_.firstSerial, request_.lastSerial);
        int kept = 0;
        for (const EventLine& l : theirs.lines) {
            const std::string text = storable(l.text);
            const bool ourDay = std::any_of(ours.lines.begin(), ours.lines.end(), [&](const EventLine& o) { return sameLine(o, l.serial, text); });
            const std::vector<std::string>& day = local_[l.serial];
            if (ourDay || text.size() > kScheduleTextBytes || std::find(day.begin(), day.end(), text) != day.end()) continue;
            add(l.serial, text);
            ++kept;
        }
        ownByFiles_.insert(theirs.uid);
        summary_.here.added += kept;
        if (kept > 0) summary_.notes.push_back("サーバーで変更された繰り返し予定を日の予定として残しました: " + summaryOf(server.ics));
    }

    void keepOwnUnsent(const std::string& uid, const std::string& problem) {
        if (const OwnEntry* known = knownOwn(uid)) ownAfter_.push_back(*known);
        newToken_.clear();
        if (summary_.problem.empty()) summary_.problem = problem.empty() ? std::string("サーバーに書き込めませんでした") : problem;
    }

    std::optional<FetchedItem> fetchOne(const std::string& href) {
        const Fetch now = fetchItems(http_, request_.calendarUrl, {href});
        if (!now.ok || now.items.empty()) return std::nullopt;
        return now.items.front();
    }

    static std::string summaryOf(const std::string& ics) {
        const IcsCalendar c = readICalendar(ics);
        return c.events.empty() ? std::string() : utf8ToCp932(c.events.front().summary);
    }

    // After the files took what came back: Tavo's versions of those items are what the server holds.
    void fingerprintEditedBack() {
        if (editedBack_.empty()) return;
        for (const OwnItem& item : ownItems(*request_.own, yearOf(request_.firstSerial), yearOf(request_.lastSerial)))
            if (editedBack_.count(item.uid))
                for (OwnEntry& e : ownAfter_)
                    if (e.uid == item.uid) e.print = fingerprint(item.ics);
    }

    void remove(int serial, const std::string& text) { changes_[serial].removed.push_back(text); }
    void add(int serial, const std::string& text) { changes_[serial].added.push_back(text); }

    SyncSummary finishAfterServer() {
        // The server's side is done: keep that before the files change, with the old token.
        catchUpWithOwnWrites();
        const bool filesChange = !changes_.empty() || !ownEdits_.empty();
        if (filesChange && !writeState(stateWith(state_.token, false))) return fail();
        if (filesChange && !writeFiles()) return fail();
        fingerprintEditedBack();
        if (!writeState(stateWith(newToken_, true))) return fail();
        summary_.ok = summary_.problem.empty();
        return summary_;
    }

    // The token after this sync's own writes, when they are all the server
    // changed since: the next sync then starts with nothing to list.
    void catchUpWithOwnWrites() {
        const SideCounts& w = summary_.server;
        if (newToken_.empty() || w.added + w.changed + w.deleted == 0) return;
        const Listing since = listCalendar(http_, request_.calendarUrl, newToken_);
        if (!since.ok || !since.incremental) return;
        std::map<std::string, std::string> mine;
        for (const SyncEntry& e : entries_) mine[e.href] = e.etag;
        for (const OwnEntry& e : ownAfter_) mine[e.href] = e.etag;
        for (const ItemVersion& v : since.items) {
            const auto known = mine.find(v.url);
            const bool wasHere = byHref_.count(v.url) || ownHref_.count(v.url);
            const bool own = v.etag.empty() ? known == mine.end() && wasHere : known != mine.end() && known->second == v.etag;
            if (!own) return;  // someone else wrote too: listed next time
        }
        newToken_ = since.syncToken;
    }

    // entries_ holds every item as it is after the writes; without the files'
    // changes, the items that change them keep their old lines.
    SyncState stateWith(const std::string& token, bool filesWritten) const {
        SyncState s{request_.calendarUrl, token, outside_, ownStateAfter(filesWritten)};
        if (filesWritten) {
            s.entries.insert(s.entries.end(), entries_.begin(), entries_.end());
            return inOrder(std::move(s));
        }
        std::set<std::string> touched;
        for (const auto& [href, old] : byHref_)
            if (changed_.count(href) || gone_.count(href)) touched.insert(href);
        for (const SyncEntry& e : entries_)
            if (!touched.count(e.href) && !changed_.count(e.href)) s.entries.push_back(e);
        for (const auto& [href, old] : byHref_)
            if (touched.count(href)) s.entries.insert(s.entries.end(), old.begin(), old.end());
        return inOrder(std::move(s));
    }

    // Items whose end needs the files keep their old entries until the files are written.
    std::vector<OwnEntry> ownStateAfter(bool filesWritten) const {
        std::vector<OwnEntry> own;
        for (const OwnEntry& e : ownAfter_)
            if (filesWritten || !ownByFiles_.count(e.uid)) own.push_back(e);
            else if (const OwnEntry* old = knownOwn(e.uid)) own.push_back(*old);
        std::sort(own.begin(), own.end(), [](const OwnEntry& a, const OwnEntry& b) { return a.uid < b.uid; });
        return own;
    }

    // By day, then item: the same state is the same file, and is not written again.
    static SyncState inOrder(SyncState s) {
        std::sort(s.entries.begin(), s.entries.end(), [](const SyncEntry& a, const SyncEntry& b) {
            return std::tie(a.serial, a.href, a.text) < std::tie(b.serial, b.href, b.text);
        });
        return s;
    }

    bool writeState(const SyncState& s) {
        const std::string text = formatSyncState(s);
        if (text == stateText_) return true;  // as the file holds it: not written again
        stateText_ = text;
        const SaveResult saved = rewriteFile(files_, syncStateFile(paths_), [&](std::string_view) { return text; });
        if (!saved) summary_.problem = "同期の記録を保存できません: " + saved.reason;
        return static_cast<bool>(saved);
    }

    bool writeFiles() {
        std::map<std::string, std::vector<std::pair<int, const DayChange*>>> byFile;
        for (const auto& [serial, change] : changes_) {
            const MonthOf m = monthOf(serial);
            byFile[scheduleFile(paths_, kScheduleDay, m.year, m.month)].push_back({dayOf(serial), &change});
        }
        std::vector<FileEdit> edits = ownEdits_;
        for (const auto& [path, days] : byFile)
            edits.push_back({path, [ofFile = days](std::string_view old) -> std::optional<std::string> {
                                 std::string content(old);
                                 for (const auto& [day, change] : ofFile) content = changedDay(content, day, *change);
                                 return content;
                             }});
        const SaveResult saved = rewriteFiles(files_, edits, [] { return true; });
        if (!saved) summary_.problem = "予定のファイルに書き込めません: " + saved.reason;
        return static_cast<bool>(saved);
    }

    // The day's lines as the file holds them now (an edit made meanwhile stays), changed.
    static std::string changedDay(const std::string& content, int day, const DayChange& change) {
        std::vector<std::string> lines;
        const std::string section = readSection(content, day);
        for (std::string_view raw : fileLines(section)) lines.emplace_back(lineContent(raw));
        for (const std::string& gone : change.removed)
            if (const auto at = std::find(lines.begin(), lines.end(), gone); at != lines.end()) lines.erase(at);
        while (!lines.empty() && lines.back().empty()) lines.pop_back();
        lines.insert(lines.end(), change.added.begin(), change.added.end());
        std::string text;
        for (const std::string& l : lines) text += l + "\r\n";
        return replaceSection(content, day, text.empty() ? std::string() : sectionBody(text));
    }

    HttpClient& http_;
    FileSystem& files_;
    const PathSettings& paths_;
    const SyncRequest& request_;
    SyncSummary summary_;
    SyncState state_;
    std::map<std::string, std::vector<SyncEntry>> byHref_;
    std::vector<SyncEntry> outside_;
    std::map<int, std::vector<std::string>> local_;
    std::map<std::string, Remote> changed_;
    std::set<std::string> gone_;
    std::map<const SyncEntry*, bool> present_;
    std::vector<Added> added_;
    std::vector<SyncEntry> entries_;  // the state after this sync
    std::map<int, DayChange> changes_;
    std::string newToken_;
    std::string stateText_;  // the state file as last read or written
    std::vector<OwnItem> wanted_;             // Tavo's recurring items as its files hold them now
    std::set<std::string> wantedUids_;
    std::map<std::string, OwnEntry> ownState_;  // by UID, as the last sync left them
    std::map<std::string, std::string> ownHref_;  // their hrefs: UID
    std::set<std::string> ownGone_;              // UIDs deleted on the server
    std::map<std::string, FetchedItem> ownFetched_;  // UID: the server's version, changed since
    std::vector<OwnEntry> ownAfter_;
    std::set<std::string> ownByFiles_;   // UIDs whose end is written into the files
    std::set<std::string> editedBack_;   // UIDs whose server text came back into the files
    std::vector<FileEdit> ownEdits_;
};

}  // namespace

std::string syncStateFile(const PathSettings& paths) { return joinPath(paths.scheduleFolder, "caldav.dat"); }

SyncSummary syncCalendar(HttpClient& http, FileSystem& files, const PathSettings& paths, const SyncRequest& request) {
    return Sync(http, files, paths, request).run();
}

}  // namespace tavo::sync
