#!/usr/bin/env bash
# Takes the screenshots in docs/ that the README and the AppStream file show:
# starts Mervalis under Xvfb on a fresh sample ledger (a temporary program
# folder, ODBC ini folder and settings folder; nothing of yours is touched)
# and saves a PNG of each of the seven tabs, of an invoice document, of an
# analysis chart, of the outstanding invoices and of a client's statement.
# Re-run it whenever a tab changes:
#
#     bash scripts/screenshots.sh            # after scripts/build.sh
#
# It drives the program as a user would, with xdotool: a click on a tab's
# caption brings it to the front. Debian's xvfb, xdotool and imagemagick are installed when missing
# (as root).
#
# Adding a shot: add steps to take_shots below with these helpers.
#   show_tab N               brings tab N to the front (0 Company, 1 Client,
#                            2 Sales, 3 Invoice, 4 Sales Grid, 5 Client Grid,
#                            6 Analysis)
#   shoot NAME               saves the main window as docs/NAME.png
#   shoot_window TITLE NAME  waits for a window whose title matches TITLE and
#                            saves it as docs/NAME.png
#   xdotool key / type       presses keys and types into the control that has
#                            the focus (Tab moves the focus, space presses a
#                            button, Escape closes a window)
#   click X Y                a left click at a point of the main window; its
#                            layout decides where a control is, so check the
#                            shots after a layout change
# The invoice document and the analysis chart are taken this way.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${MERVALIS_BUILD:-$top/build}
docs="$top/docs"

take_shots() {
    shoot company
    show_tab 1 && shoot client
    show_tab 2 && shoot sales
    show_tab 3 && invoice_of_the_list && shoot invoice
    show_tab 4 && shoot sales-grid
    show_tab 5 && shoot client-grid
    show_tab 6 && income_chart && shoot analysis
    # Last: the document windows lie over the main window.
    show_tab 3 && invoice_document
    outstanding_invoices && statement
}

# On the Invoice tab: the second reference ID of the list, the second
# billing company, 30 days' payment terms and a note.
invoice_of_the_list() {
    xdotool key Tab alt+Down && settle && xdotool key Down Return && settle
    xdotool key Tab Tab Tab Tab alt+Down && settle && xdotool key Down Return && settle
    click 543 340 && settle && xdotool key Home Down Down Down Down Down Down Return
    click 280 390 && xdotool key ctrl+a && xdotool type "Thank you for your custom."
}

# "Generate Invoice", and the document window it opens.
invoice_document() {
    click 125 445
    shoot_window 'Ref: ' invoice-document
}

# "Outstanding Invoices..." (Ctrl+O on the Invoice tab), its list narrowed
# to the client who owes the most.
outstanding_invoices() {
    xdotool key ctrl+o
    local list
    list=$(timeout 30 xdotool search --sync --onlyvisible --name '^Outstanding Invoices$' | head -n1)
    xdotool windowfocus --sync "$list"
    xdotool type "Riverside Veterinary Surgery"
    shoot_window '^Outstanding Invoices$' outstanding-invoices
}

# That client's statement, billed from the first company, and its document
# window.
statement() {
    local list
    list=$(xdotool search --onlyvisible --name '^Outstanding Invoices$' | head -n1)
    xdotool mousemove --window "$list" 561 576 click 1 && settle && xdotool key Down Return && settle
    xdotool mousemove --window "$list" 810 576 click 1
    shoot_window '^STATEMENT - ' statement
}

# On the Analysis tab: last year's "Income (per company)" of the first
# company of the chooser.
income_chart() {
    click 190 426 && xdotool key ctrl+a && xdotool type "$(($(date +%Y) - 1))"
    click 174 469 && settle && xdotool key Down Return && settle
    click 530 469 && settle && xdotool key Down Return && settle
}

# --- inside the X server -----------------------------------------------------
if [[ "${1:-}" == --inside ]]; then
    "$build/mervalis" >"$work/mervalis.log" 2>&1 &
    program=$!
    trap 'kill "$program" 2>/dev/null || true' EXIT
    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Mervalis Ver' | head -n1)
    [[ -n "$window" ]] || { echo "the main window did not open" >&2; exit 1; }
    xdotool windowfocus --sync "$window"
    show_tab() {
        # A click on the tab's caption (the captions' places along the bar).
        local places=(46 112 167 225 296 376 451)
        xdotool mousemove --window "$window" "${places[$1]}" 32 click 1
        sleep 0.3
    }
    settle() { sleep 0.7; }
    # A left click at a point of the main window (its layout decides where).
    click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.3; }
    shoot() {
        settle
        import -window "$window" "$docs/$1.png"
        echo "docs/$1.png"
    }
    shoot_window() {
        local other
        other=$(timeout 30 xdotool search --sync --onlyvisible --name "$1" | head -n1)
        [[ -n "$other" ]] || { echo "no window titled $1" >&2; exit 1; }
        settle
        import -window "$other" "$docs/$2.png"
        echo "docs/$2.png"
    }
    sleep 1
    take_shots
    exit 0
fi

# --- set-up ------------------------------------------------------------------
tools=(xvfb-run:xvfb xdotool:xdotool import:imagemagick)
missing=()
for tool in "${tools[@]}"; do command -v "${tool%%:*}" >/dev/null || missing+=("${tool##*:}"); done
if ((${#missing[@]})); then
    [[ $(id -u) -eq 0 ]] || { echo "Install ${missing[*]} first (Debian packages)." >&2; exit 1; }
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
[[ -x "$build/mervalis" && -x "$build/mervalis-setup" ]] || { echo "Build first: bash scripts/build.sh" >&2; exit 1; }

# The machine's ODBC drivers; the program registers its data source itself.
drivers=$(odbcinst -j | sed -n 's/^DRIVERS\.*: //p')
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export work build docs
export MERVALIS_HOME="$work/Mervalis" ODBCSYSINI="$work/odbc" XDG_CONFIG_HOME="$work/config"
mkdir -p "$ODBCSYSINI" "$XDG_CONFIG_HOME/Mervalis"
cp "$drivers" "$ODBCSYSINI/odbcinst.ini"
# No "How do I use this software?" window over the shots.
printf '[Noshow]\nHelp=1\n' >"$XDG_CONFIG_HOME/Mervalis/Mervalis.conf"
"$build/mervalis-setup" --sample-data >/dev/null
mkdir -p "$docs"
LANG=C.UTF-8 xvfb-run -a -s '-screen 0 1280x1024x24' bash "$0" --inside
