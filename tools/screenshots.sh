#!/usr/bin/env bash
# Screenshots of the calendar under Wine and Xvfb, for looking at what a user sees:
#   bash tools/screenshots.sh [OUTPUT_FOLDER] [DPI ...]
# 1. today's month with a fresh profile; 2. December 2026 with a schedule and a
# day off; each at every DPI given (96 when none: 144 is 150 %, 192 is 200 %),
# then the calendar without title bar and status bar, and with the solar terms;
# 3. the calendar beside its range view, also in each shipped colour scheme;
# 4. the day schedule window;
# 5. the birthday window and its add dialog; 6. the options pages; 7. the
# launcher's icon menu; 8. the installer's pages; 9. a reminder (window and
# balloon) at every DPI given; 10. a sync's summary and the status bar after
# it, against a Radicale on loopback, at every DPI given; 11. the search
# window with results, at every DPI given; 12. the year view at every DPI
# given; 13. the print preview at every DPI given. ONLY=name runs one part
# (today, bare, almanac, view, schemes, schedule, birthdays, options, ical,
# tray, installer, reminder, sync, find, year, print, forecast, contrast);
# 14. forecast holidays hatched; 15. the calendar under a dark high-contrast
# theme at every DPI given. SCALE=DPI runs the parts shot once at that scaling.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVO_BUILD_DIR:-$root/build}
out=$(realpath -m "${1:-$build/screenshots}")
shift || true
dpis=("$@")
[ ${#dpis[@]} -gt 0 ] || dpis=(96)
mkdir -p "$out"
# A configured build keeps its type (the tests' build is Release).
[ -f "$build/win/CMakeCache.txt" ] || cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" > /dev/null
cmake --build "$build/win" --target Tavo TavoCust TavoTray tavo_post_command > /dev/null

state="$build/screenshot-wine"
bash "$root/tools/wine-env.sh" start "$state" > /dev/null
trap 'bash "$root/tools/wine-env.sh" stop "$state"' EXIT
# shellcheck disable=SC1091
. "$state/env"
export WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
# No window manager runs on the X server: Wine draws title bars and frames itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f > /dev/null 2>&1

data=$(mktemp -d)
printf ':24\r\n\x83\x4e\x83\x8a\x83\x58\x83\x7d\x83\x58\x89\xef\r\n' > "$data/sch2026c.cal"   # クリスマス会
{ for m in 1 2 3 4 5 6 7 8 9 10 11; do printf '0000000000000000000000000000000\r\n'; done
  printf '0000000000000000000000000000010\r\n'; } > "$data/DOff2026.cal"                    # 30 December

fresh_profile() {  # dpi: a new profile at that scaling, its data in $data
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f > /dev/null 2>&1
    wine reg delete 'HKCU\Software\Brenmor\Tavo' /f > /dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Brenmor\Tavo\dir' /v schpath /t REG_SZ /d "$(winepath -w "$data")" /f > /dev/null 2>&1
}
shoot() {  # name, dpi, arguments...
    local name=$1 dpi=$2
    shift 2
    fresh_profile "$dpi"
    wine "$build/win/bin/Tavo.exe" "$@" &
    local pid=$!
    sleep 4
    import -window root -crop "$((320 * dpi / 96))x$((420 * dpi / 96))+0+0" "$out/$name.png"
    kill "$pid" 2> /dev/null || true
    wineserver -k 2> /dev/null || true
    echo "$out/$name.png"
}
want() { [ -z "${ONLY:-}" ] || [ "$ONLY" = "$1" ]; }
# The parts shot once (the range view, the birthday window, the options pages)
# run at SCALE DPI (96 when unset); their crops grow with it.
scale=${SCALE:-96}
at_scale() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$scale" /f > /dev/null 2>&1; }
grab() { import -window root -crop "$(($1 * scale / 96))x$(($2 * scale / 96))+0+0" "$3"; }
want today && for dpi in "${dpis[@]}"; do
    suffix=$([ "$dpi" = 96 ] && echo "" || echo "-$dpi")
    shoot "today$suffix" "$dpi"
    # The day-off file lives beside the program; copy it there for the second shot.
    cp "$data/DOff2026.cal" "$build/win/bin/DOff2026.cal"
    shoot "december-2026$suffix" "$dpi" 2026/12/24
    rm -f "$build/win/bin/DOff2026.cal"
done
# The calendar with neither title bar nor status bar.
bare() {
    wine reg delete 'HKCU\Software\Brenmor\Tavo' /f > /dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Brenmor\Tavo\cstyle' /v cap /t REG_DWORD /d 0 /f > /dev/null 2>&1
    wine reg add 'HKCU\Software\Brenmor\Tavo\cstyle' /v sts /t REG_DWORD /d 0 /f > /dev/null 2>&1
    wine "$build/win/bin/Tavo.exe" 2026/12/07 &
    local pid=$!
    sleep 4
    import -window root -crop 320x420+0+0 "$out/no-title-no-status.png"
    kill "$pid" 2> /dev/null || true
    wineserver -k 2> /dev/null || true
    echo "$out/no-title-no-status.png"
}
want bare && bare
# December 2026 with the solar terms in the day cells and the status bar on 冬至.
almanac_shot() {
    wine reg delete 'HKCU\Software\Brenmor\Tavo' /f > /dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Brenmor\Tavo\almanac' /v cells /t REG_DWORD /d 1 /f > /dev/null 2>&1
    wine "$build/win/bin/Tavo.exe" 2026/12/22 &
    local pid=$!
    sleep 4
    import -window root -crop 320x420+0+0 "$out/december-2026-almanac.png"
    kill "$pid" 2> /dev/null || true
    wineserver -k 2> /dev/null || true
    echo "$out/december-2026-almanac.png"
}
want almanac && almanac_shot
# 3. The calendar beside its range view over the sample data (a month's range).
sample=$(mktemp -d)
cp "$root"/tests/data/sample/* "$sample/"
# A fresh profile over the sample data, the range view (a month's range) beside the calendar.
use_sample() {
    wine reg delete 'HKCU\Software\Brenmor\Tavo' /f > /dev/null 2>&1 || true
    for v in schpath birpath anipath mempath; do
        wine reg add 'HKCU\Software\Brenmor\Tavo\dir' /v $v /t REG_SZ /d "$(winepath -w "$sample")" /f > /dev/null 2>&1
    done
    wine reg add 'HKCU\Software\Brenmor\Tavo\scv' /v range /t REG_DWORD /d 1 /f > /dev/null 2>&1
    wine reg add 'HKCU\Software\Brenmor\Tavo\position' /v xScv /t REG_DWORD /d 300 /f > /dev/null 2>&1
    wine reg add 'HKCU\Software\Brenmor\Tavo\position' /v yScv /t REG_DWORD /d 22 /f > /dev/null 2>&1
}
view() {
    use_sample
    wine "$build/win/bin/Tavo.exe" 2026/12/07 &
    local pid=$!
    sleep 5
    grab 620 420 "$out/range-view.png"
    kill "$pid" 2> /dev/null || true
    wineserver -k 2> /dev/null || true
    echo "$out/range-view.png"
}
want view && at_scale && view
# The calendar and its range view in each colour scheme that ships, chosen on the design pages.
schemes() {
    local scheme
    for scheme in 夜空 ハイコントラスト; do
        use_sample
        wine reg add 'HKCU\Software\Brenmor\Tavo\tavocust' /v exec /t REG_DWORD /d 1 /f > /dev/null 2>&1
        wine "$build/win/bin/Tavo.exe" 2026/12/07 &
        local pid=$!
        sleep 5
        wine "$build/win/bin/tavo_post_command.exe" 103; sleep 2
        wine "$build/win/bin/tavo_post_command.exe" scheme "$scheme"; sleep 1
        wine "$build/win/bin/tavo_post_command.exe" '#32770' 1; sleep 2
        wine "$build/win/bin/tavo_post_command.exe" WScv 103; sleep 2
        wine "$build/win/bin/tavo_post_command.exe" tab 1; sleep 1
        wine "$build/win/bin/tavo_post_command.exe" scheme "$scheme"; sleep 1
        wine "$build/win/bin/tavo_post_command.exe" '#32770' 1; sleep 2
        import -window root -crop 620x420+0+0 "$out/scheme-$scheme.png"
        kill "$pid" 2> /dev/null || true
        wineserver -k 2> /dev/null || true
        echo "$out/scheme-$scheme.png"
    done
}
want schemes && schemes
# 4. The day schedule window over the sample data, opened from the menu (901).
schedule() {
    wine "$build/win/bin/Tavo.exe" 2026/12/03 &
    local pid=$!
    sleep 4
    wine "$build/win/bin/tavo_post_command.exe" 901
    sleep 3
    import -window root -crop 620x420+0+0 "$out/day-schedule.png"
    kill "$pid" 2> /dev/null || true
    wineserver -k 2> /dev/null || true
    echo "$out/day-schedule.png"
}
want schedule && schedule
# 5. The birthday window with two entries, then its add dialog.
birthdays() {
    printf ': 7 1990\r\n\x91\xbe\x98\x59\r\n: 7\r\n\x89\xd4\x8e\x71\r\n' > "$sample/birthdac.cal"  # 太郎, 花子
    wine "$build/win/bin/Tavo.exe" 2026/12/07 &
    local pid=$!
    sleep 4
    wine "$build/win/bin/tavo_post_command.exe" 903
    sleep 3
    grab 620 420 "$out/birthdays.png"
    wine "$build/win/bin/tavo_post_command.exe" WBir 10
    sleep 3
    grab 620 420 "$out/birthday-add.png"
    kill "$pid" 2> /dev/null || true
    wineserver -k 2> /dev/null || true
    echo "$out/birthdays.png"
    echo "$out/birthday-add.png"
}
want birthdays && at_scale && birthdays
# 6. The options pages: 祝日・休業日 with its rule editor and フォルダ (first
# opening), デザイン, 日付形式, 動作, スタイル and メニュー (from the calendar),
# 表示範囲 and the view's デザイン, 日付形式 and スタイル (from the view).
options() {
    wine reg delete 'HKCU\Software\Brenmor\Tavo\tavocust' /f > /dev/null 2>&1 || true
    # The data in $data: a table read in is copied there, never beside the program.
    wine reg add 'HKCU\Software\Brenmor\Tavo\dir' /v schpath /t REG_SZ /d "$(winepath -w "$data")" /f > /dev/null 2>&1
    wine "$build/win/bin/Tavo.exe" 2026/12/07 &
    local pid=$!
    sleep 4
    local shot
    # A table of 2026 with 建国記念の日 left out and a new holiday on 9 December.
    printf '%s\r\n' 国民の祝日・休日月日,国民の祝日・休日名称 2026/1/1,元日 2026/1/12,成人の日 2026/2/23,天皇誕生日 2026/3/20,春分の日 \
        2026/4/29,昭和の日 2026/5/3,憲法記念日 2026/5/4,みどりの日 2026/5/5,こどもの日 2026/5/6,休日 2026/7/20,海の日 2026/8/11,山の日 \
        2026/9/21,敬老の日 2026/9/22,休日 2026/9/23,秋分の日 2026/10/12,スポーツの日 2026/11/3,文化の日 2026/11/23,勤労感謝の日 2026/12/9,新しい祝日 |
        iconv -f UTF-8 -t CP932 > "$data/table-2026.csv"
    for shot in closed-days holiday-table rule-editor folder remind sync design date-format environment style menu range range-design range-date-format range-style; do
        case $shot in
            closed-days) wine "$build/win/bin/tavo_post_command.exe" 103 ;;
            holiday-table) wine reg delete 'HKCU\Software\Brenmor\Tavo\tavocust' /f > /dev/null 2>&1 || true
                wine "$build/win/bin/tavo_post_command.exe" 103; sleep 2
                wine "$build/win/bin/tavo_post_command.exe" click 714; sleep 2
                wine "$build/win/bin/tavo_post_command.exe" file "$(winepath -w "$data/table-2026.csv")" ;;
            rule-editor) wine reg delete 'HKCU\Software\Brenmor\Tavo\tavocust' /f > /dev/null 2>&1 || true
                wine "$build/win/bin/tavo_post_command.exe" 103; sleep 2
                wine "$build/win/bin/tavo_post_command.exe" click 709 ;;
            folder) wine reg delete 'HKCU\Software\Brenmor\Tavo\tavocust' /f > /dev/null 2>&1 || true
                wine "$build/win/bin/tavo_post_command.exe" 103; sleep 2; wine "$build/win/bin/tavo_post_command.exe" tab 1 ;;
            remind) wine reg delete 'HKCU\Software\Brenmor\Tavo\tavocust' /f > /dev/null 2>&1 || true
                wine "$build/win/bin/tavo_post_command.exe" 103; sleep 2; wine "$build/win/bin/tavo_post_command.exe" tab 3 ;;
            sync) wine reg delete 'HKCU\Software\Brenmor\Tavo\tavocust' /f > /dev/null 2>&1 || true
                wine "$build/win/bin/tavo_post_command.exe" 103; sleep 2; wine "$build/win/bin/tavo_post_command.exe" tab 4 ;;
            design) wine reg add 'HKCU\Software\Brenmor\Tavo\tavocust' /v exec /t REG_DWORD /d 1 /f > /dev/null 2>&1
                wine "$build/win/bin/tavo_post_command.exe" 103 ;;
            date-format) wine "$build/win/bin/tavo_post_command.exe" 103; sleep 2; wine "$build/win/bin/tavo_post_command.exe" tab 1 ;;
            environment) wine "$build/win/bin/tavo_post_command.exe" 103; sleep 2; wine "$build/win/bin/tavo_post_command.exe" tab 2 ;;
            style) wine "$build/win/bin/tavo_post_command.exe" 103; sleep 2; wine "$build/win/bin/tavo_post_command.exe" tab 3 ;;
            menu) wine "$build/win/bin/tavo_post_command.exe" 103; sleep 2; wine "$build/win/bin/tavo_post_command.exe" tab 4 ;;
            range) wine "$build/win/bin/tavo_post_command.exe" WScv 103 ;;
            range-design) wine "$build/win/bin/tavo_post_command.exe" WScv 103; sleep 2
                wine "$build/win/bin/tavo_post_command.exe" tab 1 ;;
            range-date-format) wine "$build/win/bin/tavo_post_command.exe" WScv 103; sleep 2
                wine "$build/win/bin/tavo_post_command.exe" tab 2 ;;
            range-style) wine "$build/win/bin/tavo_post_command.exe" WScv 103; sleep 2
                wine "$build/win/bin/tavo_post_command.exe" tab 3 ;;
        esac
        sleep 3
        if [ "$shot" = holiday-table ]; then grab 1100 800 "$out/options-$shot.png"  # the differences' box stands in the screen's middle
        else grab 640 480 "$out/options-$shot.png"; fi
        echo "$out/options-$shot.png"
        [ "$shot" = rule-editor ] && { wine "$build/win/bin/tavo_post_command.exe" cancel 休業日の追加; sleep 1; }
        [ "$shot" = holiday-table ] && { wine "$build/win/bin/tavo_post_command.exe" cancel Tavo; sleep 1; rm -f "$data/syukujitsu.csv"; }
        wine "$build/win/bin/tavo_post_command.exe" '#32770' 2  # Cancel
        sleep 2
    done
    kill "$pid" 2> /dev/null || true
    wineserver -k 2> /dev/null || true
}
want options && at_scale && options
# The iCalendar items: the span of years, the save dialog and the summary,
# the open dialog and the summary; then a long export's progress, stopped.
ical() {
    use_sample
    local folder target
    folder=$(winepath -w "$(mktemp -d)")
    target="$folder"'\Tavo-2026.ics'
    wine "$build/win/bin/Tavo.exe" 2026/12/07 &
    local pid=$!
    sleep 4
    local step
    for step in export import; do
        wine "$build/win/bin/tavo_post_command.exe" "$([ $step = export ] && echo 920 || echo 931)"
        sleep 2
        import -window root -crop 800x600+0+0 "$out/ical-$step-span.png"
        wine "$build/win/bin/tavo_post_command.exe" span 2026 2026 || true
        sleep 3
        import -window root -crop 800x600+0+0 "$out/ical-$step-dialog.png"
        wine "$build/win/bin/tavo_post_command.exe" file "$target" || true
        sleep 3
        import -window root -crop 1000x650+0+0 "$out/ical-$step-summary.png"  # the message sits mid-screen
        echo "$out/ical-$step-span.png"
        echo "$out/ical-$step-dialog.png"
        echo "$out/ical-$step-summary.png"
        wine "$build/win/bin/tavo_post_command.exe" '#32770' 1 || true
        sleep 2
    done
    wine "$build/win/bin/tavo_post_command.exe" 920
    sleep 2
    wine "$build/win/bin/tavo_post_command.exe" span 1600 9000 || true
    sleep 3
    wine "$build/win/bin/tavo_post_command.exe" file "$folder"'\long.ics' || true
    sleep 4
    import -window root -crop 1000x650+0+0 "$out/ical-progress.png"
    wine "$build/win/bin/tavo_post_command.exe" cancel iCalendar || true
    sleep 3
    import -window root -crop 1000x650+0+0 "$out/ical-stopped.png"
    echo "$out/ical-progress.png"
    echo "$out/ical-stopped.png"
    kill "$pid" 2> /dev/null || true
    wineserver -k 2> /dev/null || true
}
want ical && ical
# 7. The launcher's icon menu, in a Wine desktop that has a notification area.
tray() {
    wine reg delete 'HKCU\Software\Brenmor\Tavo' /f > /dev/null 2>&1 || true
    wine explorer /desktop=TavoTray,640x480 "$build/win/bin/TavoTray.exe" &
    local pid=$!
    sleep 5
    xdotool mousemove 600 460 2> /dev/null || true
    # Programs of a Wine desktop see only its windows: ask from inside it.
    wine explorer /desktop=TavoTray,640x480 "$build/win/bin/tavo_post_command.exe" tray-menu || true
    sleep 2
    import -window root -crop 640x480+0+0 "$out/tray-menu.png"
    kill "$pid" 2> /dev/null || true
    wineserver -k 2> /dev/null || true
    echo "$out/tray-menu.png"
}
want tray && tray
# 8. The installer's pages, stepped through with its Next button (id 1).
installer() {
    bash "$root/tools/package.sh" --build "$build/win" --out "$build/dist" > /dev/null
    local setup
    setup=$(ls "$build"/dist/Tavo-*-setup.exe)
    wine "$setup" &
    local pid=$! page
    sleep 5
    for page in welcome licence components folder; do
        import -window root -crop 530x420+368+305 "$out/installer-$page.png"  # centred on the screen
        echo "$out/installer-$page.png"
        wine "$build/win/bin/tavo_post_command.exe" '#32770' 1 || true
        sleep 3
    done
    sleep 5  # installing
    import -window root -crop 530x420+368+305 "$out/installer-finish.png"
    echo "$out/installer-finish.png"
    kill "$pid" 2> /dev/null || true
    wineserver -k 2> /dev/null || true
}
want installer && installer
# 9. A reminder due now: the launcher in a Wine desktop with a notification
# area, the reminder window above it and the balloon on the icon.
reminder() {
    local dpi suffix
    for dpi in "${dpis[@]}"; do
        suffix=$([ "$dpi" = 96 ] && echo "" || echo "-$dpi")
        fresh_profile "$dpi"
        wine reg add 'HKCU\Software\Brenmor\Tavo\testclock' /v today /t REG_DWORD /d 20261224 /f > /dev/null 2>&1
        wine reg add 'HKCU\Software\Brenmor\Tavo\testclock' /v minute /t REG_DWORD /d 1132 /f > /dev/null 2>&1  # 18:52
        rm -f "$data/remind.dat"
        TAVO_TEST_CLOCK=1 wine explorer /desktop=TavoTray,$((640 * dpi / 96))x$((480 * dpi / 96)) "$build/win/bin/TavoTray.exe" &
        local pid=$!
        sleep 6
        import -window root -crop "$((640 * dpi / 96))x$((480 * dpi / 96))+0+0" "$out/reminder$suffix.png"
        echo "$out/reminder$suffix.png"
        kill "$pid" 2> /dev/null || true
        wineserver -k 2> /dev/null || true
    done
}
want reminder && printf ':24\r\n19:00～21:00 クリスマス会\r\n12:00 昼食\r\n' | iconv -f UTF-8 -t CP932 > "$data/sch2026c.cal" && reminder
# 10. 同期 against a Radicale on loopback holding an event made elsewhere.
sync_summary() {
    local server="$build/screenshot-caldav" dpi suffix url
    bash "$root/tools/caldav-server.sh" start "$server"
    url=$(cat "$server/url")
    for dpi in "${dpis[@]}"; do
        suffix=$([ "$dpi" = 96 ] && echo "" || echo "-$dpi")
        curl -s -u tavo:secret -X DELETE "${url}tavo/calendar/" > /dev/null
        curl -s -u tavo:secret -X MKCALENDAR "${url}tavo/calendar/" > /dev/null
        printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//phone//EN\r\nBEGIN:VEVENT\r\nUID:phone-1\r\nDTSTAMP:20261201T000000Z\r\nDTSTART;VALUE=DATE:20261208\r\nSUMMARY:電話会議\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n' |
            curl -s -u tavo:secret -X PUT -H 'Content-Type: text/calendar' --data-binary @- "${url}tavo/calendar/phone-1.ics" > /dev/null
        printf ':9\r\n14:00 歯医者\r\n' | iconv -f UTF-8 -t CP932 > "$data/sch2026c.cal"
        rm -f "$data/caldav.dat"
        fresh_profile "$dpi"
        wine reg add 'HKCU\Software\Brenmor\Tavo\scv' /v aftd /t REG_DWORD /d 0 /f > /dev/null 2>&1  # nothing today: no range view
        wine reg add 'HKCU\Software\Brenmor\Tavo\sync' /v url /t REG_SZ /d "$url" /f > /dev/null 2>&1
        wine reg add 'HKCU\Software\Brenmor\Tavo\sync' /v user /t REG_SZ /d tavo /f > /dev/null 2>&1
        wine "$build/win/bin/tavo_post_command.exe" password "Tavo/CalDAV/$url" tavo secret
        wine "$build/win/bin/Tavo.exe" 2026/12/07 &
        local pid=$!
        sleep 4
        wine "$build/win/bin/tavo_post_command.exe" 940
        sleep 4
        import -window root -crop "$((1000 * dpi / 96))x$((650 * dpi / 96))+0+0" "$out/sync-summary$suffix.png"
        wine "$build/win/bin/tavo_post_command.exe" '#32770' 1 || true
        sleep 2
        import -window root -crop "$((320 * dpi / 96))x$((420 * dpi / 96))+0+0" "$out/sync-status$suffix.png"
        echo "$out/sync-summary$suffix.png"
        echo "$out/sync-status$suffix.png"
        kill "$pid" 2> /dev/null || true
        wineserver -k 2> /dev/null || true
    done
    bash "$root/tools/caldav-server.sh" stop "$server"
}
want sync && sync_summary
# 11. 検索 with a query typed: a half-width and a full-width match of たなか.
find_window() {
    local dpi suffix
    printf ':7\r\n会議\r\n:15\r\nタナカさんと打ち合わせ\r\n' | iconv -f UTF-8 -t CP932 > "$data/sch2026c.cal"
    printf ':3\r\nﾀﾅｶ 歯医者\r\n' | iconv -f UTF-8 -t CP932 > "$data/sch2025b.cal"
    for dpi in "${dpis[@]}"; do
        suffix=$([ "$dpi" = 96 ] && echo "" || echo "-$dpi")
        fresh_profile "$dpi"
        wine "$build/win/bin/Tavo.exe" 2026/12/07 &
        local pid=$!
        sleep 4
        wine "$build/win/bin/tavo_post_command.exe" 941
        sleep 2
        wine "$build/win/bin/tavo_post_command.exe" find たなか
        sleep 3
        import -window root -crop "$((600 * dpi / 96))x$((440 * dpi / 96))+0+0" "$out/find$suffix.png"
        echo "$out/find$suffix.png"
        kill "$pid" 2> /dev/null || true
        wineserver -k 2> /dev/null || true
    done
    rm -f "$data/sch2025b.cal"
}
want find && find_window
# 12. 年間カレンダー of 2026 with a schedule (a data mark) and a day off.
year_view() {
    local dpi suffix
    printf ':24\r\nクリスマス会\r\n' | iconv -f UTF-8 -t CP932 > "$data/sch2026c.cal"
    for dpi in "${dpis[@]}"; do
        suffix=$([ "$dpi" = 96 ] && echo "" || echo "-$dpi")
        fresh_profile "$dpi"
        wine reg add 'HKCU\Software\Brenmor\Tavo\year' /v cx /t REG_DWORD /d 900 /f > /dev/null 2>&1
        wine reg add 'HKCU\Software\Brenmor\Tavo\year' /v cy /t REG_DWORD /d 640 /f > /dev/null 2>&1
        wine "$build/win/bin/Tavo.exe" 2026/12/07 &
        local pid=$!
        sleep 4
        wine "$build/win/bin/tavo_post_command.exe" 942
        sleep 3
        import -window root -crop "$((900 * dpi / 96))x$((640 * dpi / 96))+0+0" "$out/year$suffix.png"
        echo "$out/year$suffix.png"
        kill "$pid" 2> /dev/null || true
        wineserver -k 2> /dev/null || true
    done
}
want year && year_view
# 13. 印刷's preview of May 2026 with schedules (more than a cell holds on the 6th).
print_preview() {
    local dpi suffix
    { printf ':1\r\n会議 10:00\r\n:6\r\n'; for i in 1 2 3 4 5 6 7 8 9 10 11 12; do printf '打ち合わせ%s\r\n' "$i"; done
      printf ':15\r\n歯医者\r\n'; } | iconv -f UTF-8 -t CP932 > "$data/sch20265.cal"
    for dpi in "${dpis[@]}"; do
        suffix=$([ "$dpi" = 96 ] && echo "" || echo "-$dpi")
        fresh_profile "$dpi"
        wine "$build/win/bin/Tavo.exe" 2026/05/06 &
        local pid=$!
        sleep 4
        wine "$build/win/bin/tavo_post_command.exe" 943
        sleep 4
        import -window root -crop "$((900 * dpi / 96))x$((720 * dpi / 96))+0+0" "$out/print$suffix.png"
        echo "$out/print$suffix.png"
        kill "$pid" 2> /dev/null || true
        wineserver -k 2> /dev/null || true
    done
    rm -f "$data/sch20265.cal"
}
want print && print_preview
# 14. March 2028 with its forecast 春分の日 hatched.
want forecast && for dpi in "${dpis[@]}"; do
    suffix=$([ "$dpi" = 96 ] && echo "" || echo "-$dpi")
    wine reg add 'HKCU\Software\Brenmor\Tavo\holi' /v hatch /t REG_DWORD /d 1 /f > /dev/null 2>&1
    fresh_profile "$dpi"
    wine reg add 'HKCU\Software\Brenmor\Tavo\holi' /v hatch /t REG_DWORD /d 1 /f > /dev/null 2>&1
    wine "$build/win/bin/Tavo.exe" 2028/03/20 &
    pid=$!
    sleep 4
    import -window root -crop "$((320 * dpi / 96))x$((420 * dpi / 96))+0+0" "$out/forecast$suffix.png"
    echo "$out/forecast$suffix.png"
    kill "$pid" 2> /dev/null || true
    wineserver -k 2> /dev/null || true
done
# 15. A dark high-contrast palette; the theme's switch is the test clock's (Wine has none).
contrast_shot() {
    local dpi suffix pair
    local colours=("Window=0 0 0" "WindowText=255 255 255" "Hilight=26 235 255" "HilightText=0 0 0"
                   "HotTrackingColor=255 255 0" "GrayText=63 242 63" "ButtonFace=0 0 0" "ButtonText=255 255 255")
    for pair in "${colours[@]}"; do
        wine reg add 'HKCU\Control Panel\Colors' /v "${pair%%=*}" /t REG_SZ /d "${pair#*=}" /f > /dev/null 2>&1
    done
    printf ':8\r\n会議\r\n:24\r\nクリスマス会\r\n' | iconv -f UTF-8 -t CP932 > "$data/sch2026c.cal"
    for dpi in "${dpis[@]}"; do
        suffix=$([ "$dpi" = 96 ] && echo "" || echo "-$dpi")
        fresh_profile "$dpi"
        wine reg add 'HKCU\Software\Brenmor\Tavo\testclock' /v highcontrast /t REG_DWORD /d 1 /f > /dev/null 2>&1
        wine reg add 'HKCU\Software\Brenmor\Tavo\testclock' /v today /t REG_DWORD /d 20261207 /f > /dev/null 2>&1
        TAVO_TEST_CLOCK=1 wine "$build/win/bin/Tavo.exe" 2026/12/07 &
        local pid=$!
        sleep 4
        import -window root -crop "$((320 * dpi / 96))x$((420 * dpi / 96))+0+0" "$out/high-contrast$suffix.png"
        echo "$out/high-contrast$suffix.png"
        kill "$pid" 2> /dev/null || true
        wineserver -k 2> /dev/null || true
    done
    for pair in "${colours[@]}"; do wine reg delete 'HKCU\Control Panel\Colors' /v "${pair%%=*}" /f > /dev/null 2>&1 || true; done
}
want contrast && contrast_shot
rm -rf "$sample"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f > /dev/null 2>&1
rm -rf "$data"
