"""End-to-end cases: the real wordvane.exe under Wine on a virtual display.

run_e2e.py --program-folder DIR --helpers DIR --prefix DIR [TEST ...]

TEST names a case or class to run alone (ClipboardHistory.test_...).
"""

import argparse
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from desktop import (Keyboard, Probe, VirtualDisplay, WinePrefix, Wordvane,  # noqa: E402
                     tray_menu_captions, wait_for, windows_path, xdotool)

OPTIONS = None
DISPLAY = None
PREFIX = None
PROBE = None

LIST_NAMES = ["ランチャー", "クリップボード", "あいさつ", "English", "記号", "定型文", "C++"]
MB_OK_BUTTON = 1  # IDOK
WM_RBUTTONUP = 0x0205
IDYES = 6


def shot(name):
    """With WORDVANE_SHOTS set to a folder, the screen as NAME.png there, to
    be looked at (xwd and ImageMagick's convert)."""
    folder = os.environ.get("WORDVANE_SHOTS")
    if folder:
        Path(folder).mkdir(parents=True, exist_ok=True)
        screen = subprocess.run(["xwd", "-root", "-silent", "-display", DISPLAY.name],
                                capture_output=True, check=True).stdout
        subprocess.run(["convert", "xwd:-", str(Path(folder) / f"{name.split('.')[-1]}.png")],
                       input=screen, check=True)


def click_centre(rect, button=1):
    """A click of mouse button `button` in the middle of `rect` (left, top,
    right, bottom), as a user would."""
    left, top, right, bottom = rect
    xdotool(DISPLAY.name, "mousemove", str((left + right) // 2), str((top + bottom) // 2),
            "click", str(button))


def setUpModule():
    global DISPLAY, PREFIX, PROBE
    DISPLAY = VirtualDisplay()
    PREFIX = WinePrefix(OPTIONS.prefix, DISPLAY.name)
    PROBE = Probe(PREFIX, OPTIONS.helpers)


def tearDownModule():
    PREFIX.stop()
    DISPLAY.stop()


class CodePageParity(unittest.TestCase):
    def test_the_codec_reads_and_writes_code_page_932_as_the_system_does(self):
        output = PREFIX.run_wine([str(Path(OPTIONS.helpers) / "cp932_parity.exe")], timeout=120)
        result = json.loads(output.decode("utf-8").strip().splitlines()[-1])
        self.assertEqual(result["differences"], [])
        self.assertEqual(result["checked"], 256 + 256 * 256 + 0x10000 + 6)


class TextMappingParity(unittest.TestCase):
    def test_the_mapping_tables_map_every_character_as_the_system_does(self):
        output = PREFIX.run_wine([str(Path(OPTIONS.helpers) / "text_mapping_parity.exe")],
                                 timeout=300)
        result = json.loads(output.decode("utf-8").strip().splitlines()[-1])
        self.assertEqual(result["differences"], [])
        self.assertEqual(result["checked"], 5 * (0xFFFF - 0x800) + 63 * 2 + 3 * 3)


class WordvaneCase(unittest.TestCase):
    def setUp(self):
        self.wordvane = Wordvane(PREFIX, OPTIONS.program_folder, self._testMethodName)
        self.addCleanup(self.wordvane.stop_all)

    def wait_resident(self, icons_before):
        """Waits until the program has created its windows and added a tray icon
        (a new one: an earlier case's icon may go meanwhile)."""
        before = {i["hwnd"] for i in icons_before}
        return wait_for(lambda: [icon for icon in PROBE.tray_icons() if icon["hwnd"] not in before],
                        60, "the tray icon")[-1]

    def wait_message_box(self, text):
        def found():
            return [box for box in PROBE.message_boxes() if text in box["texts"]]
        return wait_for(found, 60, f"the message box {text!r}")[0]

    def assert_ends(self, process, timeout=30):
        wait_for(lambda: process.poll() is not None, timeout, "the process to end")

    def open_tray_menu(self, icon):
        """A right click on the icon in Wine's tray window, as a user would."""
        click_centre(icon["rect"], 3)
        return wait_for(lambda: [w for w in PROBE.windows()
                                 if w["class"] == "#32768" and w["visible"]], 30,
                        "the mode menu")[0]

    def choose_menu_item(self, menu, caption):
        """Clicks the item `caption` of the open pop-up menu `menu` (started
        with trace_menus, which tells where Wine drew the items)."""
        rect = wait_for(lambda: [r for c, _, r in self.wordvane.drawn_menu_items()
                                 if c == caption], 10, f"the menu item {caption!r}")[0]
        # The items are drawn inside the menu window's border.
        x = menu["rect"][0] + 3 + (rect[0] + rect[2]) // 2
        y = menu["rect"][1] + 3 + (rect[1] + rect[3]) // 2
        xdotool(DISPLAY.name, "mousemove", str(x), str(y), "click", "1")
        wait_for(lambda: not [w for w in PROBE.windows()
                              if w["class"] == "#32768" and w["visible"]], 10, "the menu to close")


class StartAndExit(WordvaneCase):
    def test_defaults_stay_resident_with_no_window_and_a_tray_icon(self):
        before = self.wordvane.files()
        icons = PROBE.tray_icons()
        process = self.wordvane.start()
        self.wait_resident(icons)
        time.sleep(1)
        self.assertIsNone(process.poll(), "the program stays resident")
        forms = self.wordvane.windows_of(PROBE)
        self.assertEqual(len(forms), 9, "Form1 to Form9 exist")
        self.assertEqual([f for f in forms if f["visible"]], [], "no window is visible")
        self.assertIn("ランチャー - Wordvane ", [f["title"] for f in forms])
        self.assertEqual(sum(f["topmost"] for f in forms), 7, "all but the two dialogs are topmost")
        self.assertEqual(PROBE.message_boxes(), [])
        self.assertEqual(self.wordvane.files(), before)

    def test_the_idle_program_takes_no_timer_message_and_a_copy_wakes_it(self):
        self.wordvane.start(trace_messages=True)
        self.wait_resident(PROBE.tray_icons())
        time.sleep(2)  # start-up's first clipboard check
        since = self.wordvane.log_size()
        time.sleep(3)
        self.assertEqual(self.wordvane.timer_messages(since), 0, "asleep while nothing happens")
        # The copy wakes it: the history takes the text and saves it a few
        # seconds later, and then it sleeps again.
        since = self.wordvane.log_size()
        # The clipboard is shared with the later cases, which must not find
        # a text to capture there.
        self.addCleanup(PROBE.set_clipboard, "left for the next cases", True)
        PROBE.set_clipboard("copied while asleep")
        history = self.wordvane.folder / "ClipBoad.txt"
        wait_for(lambda: b"copied while asleep" in history.read_bytes(), 30, "the history's save")
        self.assertGreater(self.wordvane.timer_messages(since), 30, "the tick ran for the copy")
        time.sleep(1)
        since = self.wordvane.log_size()
        time.sleep(3)
        self.assertEqual(self.wordvane.timer_messages(since), 0, "asleep again")

    def test_a_second_start_says_already_running_and_touches_nothing(self):
        first = self.wordvane.start()
        self.wait_resident(PROBE.tray_icons())
        self.wordvane.age_files()
        before = self.wordvane.files()
        second = self.wordvane.start()
        box = self.wait_message_box("既に起動されています。")
        PROBE.click(box["hwnd"], MB_OK_BUTTON)
        self.assert_ends(second)
        self.assertIsNone(first.poll(), "the first instance runs on")
        self.assertEqual(self.wordvane.rewritten(), [])
        self.assertEqual(self.wordvane.files(), before)

    def test_missing_settings_file_stops_start_up_and_writes_nothing(self):
        (self.wordvane.folder / "vane.ini").unlink()
        self.wordvane.age_files()
        before = self.wordvane.files()
        process = self.wordvane.start()
        box = self.wait_message_box("iniファイルの読み取りに失敗しました。\r\n起動を中止します。")
        PROBE.click(box["hwnd"], MB_OK_BUTTON)
        self.assert_ends(process)
        self.assertEqual(self.wordvane.files(), before)
        self.assertEqual(self.wordvane.rewritten(), [])

    def test_unreadable_clipboard_list_ends_the_program_without_saving(self):
        (self.wordvane.folder / "ClipBoad.txt").unlink()
        self.wordvane.age_files()
        before = self.wordvane.files()
        process = self.wordvane.start()
        box = self.wait_message_box(
            "ファイルClipBoad.txtが読み取れませんでした。\r\nプログラムを終了します。")
        PROBE.click(box["hwnd"], MB_OK_BUTTON)
        self.assert_ends(process)
        self.assertEqual(self.wordvane.rewritten(), [], "Launch.txt and vane.ini stay as they were")
        self.assertEqual(self.wordvane.files(), before)

    def test_tray_menu_lists_the_lists_and_exit_saves_the_special_lists(self):
        self.check_tray_menu_and_exit()

    def test_lists_saved_as_utf8_by_notepad_keep_their_names_and_bytes(self):
        # Today's Notepad saves UTF-8 without a mark.
        for name in ("Launch.txt", "WordList1.txt"):
            path = self.wordvane.folder / name
            path.write_bytes(path.read_bytes().decode("cp932").encode("utf-8"))
        self.check_tray_menu_and_exit()

    def exit_holding_launch(self, milliseconds):
        icons = PROBE.tray_icons()
        process = self.wordvane.start(trace_menus=True)
        icon = self.wait_resident(icons)
        self.wordvane.age_files()
        self.wordvane.hold_file(OPTIONS.helpers, "Launch.txt", milliseconds)
        self.choose_menu_item(self.open_tray_menu(icon), "終了")
        return process

    def test_a_list_held_for_a_moment_is_saved_when_it_is_let_go(self):
        process = self.exit_holding_launch(700)
        self.assert_ends(process)
        self.assertIn("Launch.txt", self.wordvane.rewritten())
        self.assertFalse((self.wordvane.folder / "Launch.txt.saving").exists())

    def test_a_list_held_long_is_left_as_saving_with_a_message(self):
        process = self.exit_holding_launch(8000)
        box = self.wait_message_box(
            "ファイルLaunch.txtを保存できませんでした。\r\n変更はLaunch.txt.savingに残してあります。")
        self.assertTrue((self.wordvane.folder / "Launch.txt.saving").exists())
        PROBE.click(box["hwnd"], MB_OK_BUTTON)
        self.assert_ends(process)
        self.assertNotIn("Launch.txt", self.wordvane.rewritten())

    def check_tray_menu_and_exit(self):
        before = self.wordvane.files()
        self.wordvane.age_files()
        icons = PROBE.tray_icons()
        process = self.wordvane.start(trace_menus=True)
        icon = self.wait_resident(icons)

        menu = self.open_tray_menu(icon)
        captions = wait_for(self.wordvane.menu_captions, 10, "the menu's captions")
        names = [caption for _, caption in captions]
        self.assertEqual(names[:7], LIST_NAMES)
        self.assertEqual(names[-1], "終了")
        checked = [caption for flags, caption in captions if flags & 0x8]
        self.assertIn("ランチャー", checked, "the current list carries the check mark")

        # "終了" is the menu's last item.
        left, top, right, bottom = menu["rect"]
        xdotool(DISPLAY.name, "mousemove", str(left + 20), str(bottom - 8), "click", "1")
        self.assert_ends(process)
        self.assertEqual(self.wordvane.rewritten(), ["ClipBoad.txt", "Launch.txt", "vane.ini"])
        self.assertEqual(self.wordvane.files(), before, "rewritten byte for byte")


class TargetCase(WordvaneCase):
    """A resident program and our target application with the keyboard."""

    TRACE_MENUS = False

    def setUp(self):
        super().setUp()
        self.keyboard = Keyboard(DISPLAY.name)
        self.prepare_folder()
        icons = PROBE.tray_icons()
        self.process = self.wordvane.start(trace_menus=self.TRACE_MENUS)
        self.icon = self.wait_resident(icons)
        self.wordvane.start_target(OPTIONS.helpers)
        wait_for(lambda: self.wordvane.target_text() == "", 30, "the target application")
        self.keyboard.focus("Wordvane Target")

    def prepare_folder(self):
        """Changes the program folder before the program starts."""

    def candidate_window(self):
        """Form1 as the probe sees it: visibility, the text of Text1 and the
        lines of List1 with the selected one."""
        for window in PROBE.windows():
            edits = [c for c in window["children"] if c["class"].lower() == "edit"]
            lists = [c for c in window["children"] if c["class"].lower() == "listbox"]
            if window["class"] == "WordvaneForm" and edits and lists:
                return {"hwnd": window["hwnd"], "visible": window["visible"],
                        "text1": edits[0]["text"],
                        "lines": lists[0]["lines"], "selected": lists[0]["selected"],
                        "list": lists[0]["hwnd"], "rect": window["rect"]}
        return None

    def wait_list(self, text1, what):
        return wait_for(lambda: (self.candidate_window() or {}).get("visible") and
                        self.candidate_window()["text1"] == text1, 20, what)

    def wait_hidden(self, what):
        wait_for(lambda: self.candidate_window()["visible"] is False, 20, what)

    def start_other_target(self, name):
        """A second target application, "Wordvane NAME"; its text file."""
        self.wordvane.start_target(OPTIONS.helpers, name)
        output = self.wordvane.folder / f"{name}.txt"
        wait_for(lambda: output.exists(), 30, f"the application {name}")
        return output

    def click_window(self, title):
        window = wait_for(lambda: [w for w in PROBE.windows() if w["title"] == title], 20,
                          f"the window {title!r}")[0]
        click_centre(window["rect"], 1)

    def wait_target(self, text):
        wait_for(lambda: self.wordvane.target_text() == text, 20, f"the target to hold {text!r}")

    def give_keyboard_to_filter_box(self):
        """The launcher's filter box, which Wordvane brings to the front with
        the list, gets the X keyboard focus as it gets the keyboard on Windows."""
        box = wait_for(lambda: [w["hwnd"] for w in self.wordvane.windows_of(PROBE)
                                if w["visible"] and len(w["children"]) == 1 and
                                w["children"][0]["class"].lower() == "edit"], 20,
                       "the filter box")[0]
        self.give_keyboard_to_front(box)

    def give_keyboard_to_front(self, hwnd):
        """The X keyboard focus goes to the window `hwnd` that Wordvane
        brought to the front, as Windows gives it the keyboard (Wine without a
        window manager leaves the X focus where it was, and gives the
        foreground back to that window when a menu lets go of the keyboard)."""
        x11 = wait_for(lambda: PROBE.front(hwnd)["x11"], 10, "the window's X window")
        xdotool(DISPLAY.name, "windowfocus", "--sync", str(x11))
        wait_for(lambda: PROBE.front()["foreground"] == hwnd, 10, "the window in front")


class Completion(TargetCase):
    """Word completion in our target application, driven by keys on the display."""

    def insert_accommodate(self):
        """Word list 2 by its hotkey, "ac" and Tab in the target: "accommodate"."""
        self.keyboard.focus("Wordvane Target")
        self.keyboard.press("ctrl+alt+shift+2")
        self.wait_list("to provide room for", "word list 2")
        self.keyboard.type("ac")
        self.keyboard.press("Tab")
        self.wait_target("accommodate")

    def test_list_hotkey_down_and_tab_replace_the_abbreviation_and_restore_the_clipboard(self):
        PROBE.set_clipboard("before")
        self.keyboard.focus("Wordvane Target")
        # Word list 1 "あいさつ" has the "r" flag: its entries replace the abbreviation.
        self.keyboard.press("ctrl+alt+shift+1")
        self.wait_list("朝のあいさつ", "the word level of word list 1")
        self.assertEqual(self.candidate_window()["lines"][:2], ["ohayo", "otsu"],
                         "every line of List1 reads back")
        self.keyboard.press("o")
        self.wait_target("o")
        self.keyboard.press("Down")
        self.wait_list("ねぎらい", "the second word selected")
        self.assertEqual(self.candidate_window()["selected"], 1)
        self.keyboard.press("Tab")
        self.wait_target("")  # the abbreviation is removed
        self.wait_list("お疲れさまです。", "the elements of the word")
        self.keyboard.press("Tab")
        self.wait_target("お疲れさまです。")
        wait_for(lambda: PROBE.clipboard() == "before", 10, "the user's clipboard text back")
        # The list has cancel keys, so it stays on the word for another
        # element; Esc ends the cycle.
        self.wait_list("お疲れさまです。", "the word's elements again")
        self.keyboard.press("Escape")
        self.wait_hidden("Esc to close the list")
        self.assertEqual(self.wordvane.target_text(), "お疲れさまです。")

    def test_an_image_and_html_on_the_clipboard_survive_an_insertion(self):
        PROBE.set_image()
        before = (PROBE.clipboard_format(8), PROBE.clipboard_format("HTML Format"))
        self.assertTrue(before[0] and before[1])
        self.insert_accommodate()
        wait_for(lambda: (PROBE.clipboard_format(8),
                          PROBE.clipboard_format("HTML Format")) == before, 10,
                 "the image and the HTML back, byte for byte")
        self.assertEqual(PROBE.clipboard(), "", "no text where there was none")

    def test_the_list_hides_when_the_user_goes_to_another_window(self):
        other = self.start_other_target("second")
        # Clicks, as the user does: Wine makes the clicked window the
        # foreground one (keyboard focus alone does not).
        self.click_window("Wordvane Target")
        self.keyboard.focus("Wordvane Target")
        self.keyboard.press("ctrl+alt+shift+1")
        self.wait_list("朝のあいさつ", "word list 1")
        self.click_window("Wordvane second")
        self.keyboard.focus("Wordvane second")
        self.wait_hidden("the list to hide with the focus gone")
        self.keyboard.press("Tab")
        wait_for(lambda: other.read_text("utf-8") == "\t", 20, "Tab in the other window")

    def test_the_edit_buttons_show_only_in_edit_mode(self):
        self.keyboard.press("ctrl+alt+shift+1")
        self.wait_list("朝のあいさつ", "word list 1")

        def buttons():
            form1 = [w for w in PROBE.windows() if w["class"] == "WordvaneForm"
                     and any(c["class"].lower() == "listbox" for c in w["children"])][0]
            return [c for c in form1["children"]
                    if c["class"].lower() == "button" and c["text"] in ("登録", "キャンセル")]

        def list_children():
            return [w for w in PROBE.windows() if w["class"] == "WordvaneForm" and w["visible"]
                    and any(c["class"].lower() == "listbox" for c in w["children"])][0]["children"]

        self.assertEqual(len(buttons()), 2)
        self.assertEqual([b["text"] for b in buttons() if b["visible"]], [], "drawn over the list")
        # A click into the description box gives it the keyboard; a key
        # there (Shift: it types nothing the key watcher would take) starts
        # edit mode, and the buttons appear on the screen above the box.
        box = [c for c in list_children() if c["class"].lower() == "edit" and c["visible"]]
        click_centre(box[0]["rect"], 1)
        self.keyboard.press("shift")
        wait_for(lambda: all(b["visible"] for b in buttons()), 10, "the buttons in edit mode")
        shot(self.id())
        cancel = [b for b in buttons() if b["text"] == "キャンセル"][0]
        time.sleep(0.3)
        with_button = PROBE.pixels(cancel["rect"])
        self.assertGreater(with_button["ink"], 20, "the button is drawn")
        # (Handing the keyboard back to another process's window leaves Wine's
        # foreground on its desktop window, which hides the list: that step
        # is for real Windows to show.)
        PROBE.post(cancel["hwnd"], 0x00F5)  # BM_CLICK
        wait_for(lambda: not any(b["visible"] for b in buttons()), 10, "edit mode to end")
        # The same place of the list shown again outside edit mode: the
        # description box, not the button.
        self.click_window("Wordvane Target")
        self.keyboard.focus("Wordvane Target")
        self.keyboard.press("ctrl+alt+shift+1")
        self.wait_list("朝のあいさつ", "word list 1 again")
        time.sleep(0.3)
        self.assertNotEqual(PROBE.pixels(cancel["rect"])["hash"], with_button["hash"])

    def test_an_owner_that_renders_late_is_asked_for_the_portable_formats_only(self):
        log = self.wordvane.start_clipboard_owner(OPTIONS.helpers)
        wait_for(lambda: log.exists(), 30, "the clipboard owner")
        self.insert_accommodate()
        asked = set(log.read_text("utf-8").split("\n")) - {""}
        self.assertIn("CF_UNICODETEXT", asked, "the user's text is saved")
        self.assertFalse(asked & {"Wordvane Owner Private", "Embed Source"}, asked)

    def tab_into_slow_target(self):
        """"ac" and Tab in a target that reads the clipboard two seconds after
        Ctrl+V, with "my secret" on the clipboard before; its text file."""
        PROBE.set_clipboard("my secret")
        slow = self.start_other_target("slow")
        self.click_window("Wordvane slow")
        self.keyboard.focus("Wordvane slow")
        self.keyboard.press("ctrl+alt+shift+2")
        self.wait_list("to provide room for", "word list 2")
        self.keyboard.type("ac")
        wait_for(lambda: slow.read_text("utf-8") == "ac", 20, "ac in the slow application")
        self.keyboard.press("Tab")
        return slow

    def test_a_target_that_reads_the_clipboard_late_pastes_the_entry(self):
        slow = self.tab_into_slow_target()
        # Meanwhile the entry is offered with the marks that keep clipboard
        # histories out, and its locale (the text itself is not asked for:
        # that would count as the paste).
        for mark in ("Clipboard Viewer Ignore", "ExcludeClipboardContentFromMonitorProcessing",
                     "CanIncludeInClipboardHistory", 16):
            wait_for(lambda: PROBE.clipboard_format(mark), 2, f"the mark {mark}")
        wait_for(lambda: slow.read_text("utf-8") != "ac", 20, "the paste, two seconds later")
        self.assertEqual(slow.read_text("utf-8"), "accommodate")
        wait_for(lambda: PROBE.clipboard() == "my secret", 10, "the user's clipboard back")

    def test_a_copy_of_the_entry_itself_before_the_restore_is_kept(self):
        # Another program puts the very text being inserted on the clipboard
        # (the user copied it): the clipboard is no longer ours, whatever its
        # text, and the restore leaves it.
        slow = self.tab_into_slow_target()
        wait_for(lambda: PROBE.clipboard_format("Clipboard Viewer Ignore"), 2, "the entry offered")
        PROBE.set_clipboard("commodate")  # the rest of the word after "ac"
        wait_for(lambda: slow.read_text("utf-8") == "accommodate", 20, "the paste")
        time.sleep(2)  # the restore's latest moment, three seconds after the keys, has passed
        self.assertEqual(PROBE.clipboard(), "commodate")

    def test_quitting_right_after_an_insertion_lets_the_target_take_it(self):
        slow = self.tab_into_slow_target()
        wait_for(lambda: PROBE.clipboard_format("Clipboard Viewer Ignore"), 2, "the entry offered")
        PROBE.request_quit(self.candidate_window()["hwnd"])
        self.assert_ends(self.process)
        self.assertEqual(slow.read_text("utf-8"), "accommodate")
        self.assertEqual(PROBE.clipboard(), "my secret")

    def test_two_quick_insertions_into_a_target_that_reads_late_arrive_in_order(self):
        PROBE.set_clipboard("my secret")
        slow = self.start_other_target("slow")
        self.click_window("Wordvane slow")
        self.keyboard.focus("Wordvane slow")
        for downs, word in ((0, "accommodate"), (1, "acknowledge")):
            self.keyboard.press("ctrl+alt+shift+2")
            self.wait_list("to provide room for", "word list 2")
            for _ in range(downs):
                self.keyboard.press("Down")
            wait_for(lambda: self.candidate_window()["lines"][self.candidate_window()["selected"]]
                     == word, 10, word)
            self.keyboard.press("Tab")
        wait_for(lambda: slow.read_text("utf-8") == "accommodateacknowledge", 20, "both pastes")
        wait_for(lambda: PROBE.clipboard() == "my secret", 10, "the user's clipboard back")

    def test_a_terminal_that_pastes_on_shift_insert_gets_the_word(self):
        terminal = self.start_other_target("mintty")
        self.click_window("Wordvane mintty")
        self.keyboard.focus("Wordvane mintty")
        self.keyboard.press("ctrl+alt+shift+2")
        self.wait_list("to provide room for", "word list 2")
        self.keyboard.type("ac")
        wait_for(lambda: terminal.read_text("utf-8") == "ac", 20, "ac in the terminal")
        self.keyboard.press("Tab")
        wait_for(lambda: terminal.read_text("utf-8") == "accommodate", 20, "the word")

    def test_a_screen_reader_hears_each_selection_of_the_list(self):
        log = self.wordvane.start_winevent_listener(OPTIONS.helpers)
        wait_for(lambda: log.exists(), 30, "the WinEvent listener")
        self.keyboard.focus("Wordvane Target")
        self.keyboard.press("ctrl+alt+shift+2")
        self.wait_list("to provide room for", "word list 2")
        self.keyboard.press("Down")
        wait_for(lambda: self.candidate_window()["selected"] == 1, 10, "the second line selected")
        heard = lambda: log.read_text("utf-8").split()
        wait_for(lambda: " ".join(heard()).endswith("selection 2 focus 2"), 10,
                 "the second line's selection and focus events")
        self.assertIn("selection 1", " ".join(heard()), "the first line when the list came")

    def test_closing_the_list_hides_it_and_the_program_stays(self):
        self.keyboard.press("ctrl+alt+shift+2")
        self.wait_list("to provide room for", "word list 2")
        PROBE.post(self.candidate_window()["hwnd"], 0x0010)  # WM_CLOSE, as Alt+F4 sends it
        self.wait_hidden("WM_CLOSE (Alt+F4) to hide the list")
        time.sleep(1)
        self.assertIsNone(self.process.poll(), "the program goes on")
        self.keyboard.press("ctrl+alt+shift+2")
        self.wait_list("to provide room for", "the list again")

    def test_the_t_flag_completes_the_typed_word(self):
        # Word list 2 "English" has the "t" flag: the rest of the word is added.
        self.keyboard.press("ctrl+alt+shift+2")
        self.wait_list("to provide room for", "the word level of word list 2")
        self.keyboard.type("ac")
        self.wait_target("ac")
        self.keyboard.press("Tab")
        self.wait_target("accommodate")

    def test_esc_hides_the_list_and_then_the_arrows_reach_the_application(self):
        self.keyboard.press("ctrl+alt+shift+1")
        self.wait_list("朝のあいさつ", "the word level")
        # At the caret: the target's empty edit box has it at its top left.
        target = [w for w in PROBE.windows() if w["title"] == "Wordvane Target"][0]
        edit = [c for c in target["children"] if c["class"].lower() == "edit"][0]["rect"]
        left, top = self.candidate_window()["rect"][:2]
        self.assertTrue(edit[0] <= left <= edit[0] + 10, (left, edit))
        self.assertTrue(edit[1] + 20 <= top <= edit[1] + 45, (top, edit))
        self.keyboard.press("Escape")
        self.wait_hidden("Esc to hide the list")
        self.keyboard.type("ab")
        self.wait_target("ab")
        self.keyboard.press("Left")
        self.keyboard.type("X")
        self.wait_target("aXb")


class JapaneseGlyphs(TargetCase):
    """The Wine prefix has a Japanese font for the system's Japanese faces."""

    def prepare_folder(self):
        # Two words named with four different Japanese characters each: drawn
        # as boxes, both lines would be the same four boxes.
        path = self.wordvane.folder / "WordList1.txt"
        text = path.read_bytes().decode("cp932")
        text = text.replace("\r\notsu\r\n", "\r\nあいうえ\r\n")
        text = text.replace("\r\nyoro\r\n", "\r\n漢字変換\r\n")
        path.write_bytes(text.encode("cp932"))

    def test_a_japanese_list_line_shows_glyphs_not_boxes(self):
        self.keyboard.press("ctrl+alt+shift+1")
        self.wait_list("朝のあいさつ", "the word level of word list 1")
        window = self.candidate_window()
        self.assertEqual(window["lines"][:3], ["ohayo", "あいうえ", "漢字変換"])
        time.sleep(0.5)  # drawn
        first, second = (PROBE.line_pixels(window["list"], line) for line in (1, 2))
        self.assertGreater(first["ink"], 40, "the first line is drawn")
        self.assertGreater(second["ink"], 40, "the second line is drawn")
        self.assertNotEqual(first["hash"], second["hash"],
                            "different characters look different: glyphs, not boxes")


class HighDpi(TargetCase):
    """The desktop at 175 %, where a pixel is 8 4/7 twips: Wine gives the
    system DPI of its registry to every monitor."""

    def prepare_folder(self):
        key = r"HKCU\Control Panel\Desktop"
        PREFIX.run_wine(["reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", "168",
                         "/f"])
        self.addCleanup(PREFIX.run_wine, ["reg", "delete", key, "/v", "LogPixels", "/f"])

    def test_the_list_has_its_size_at_175_percent_and_opens_at_the_caret(self):
        self.keyboard.press("ctrl+alt+shift+1")
        self.wait_list("朝のあいさつ", "the word level of word list 1")
        left, top, right, bottom = self.candidate_window()["rect"]
        # The middle layout is 5730 x 3150 twips.
        self.assertEqual((right - left, bottom - top), (669, 368))
        target = [w for w in PROBE.windows() if w["title"] == "Wordvane Target"][0]
        edit = [c for c in target["children"] if c["class"].lower() == "edit"][0]["rect"]
        self.assertTrue(edit[0] <= left <= edit[0] + 10, (left, edit))


class ClipboardHistoryAndModes(TargetCase):
    """Copies in the target land in the clipboard history; Home, End and the
    mode menu change the list; Delete removes an entry."""

    TRACE_MENUS = True
    CLIPBOARD_LIST_HOTKEY = "ctrl+alt+shift+v"

    def test_a_copied_emoji_and_wave_dash_come_back_after_a_restart(self):
        text = "\U0001F600 〜 café"
        PROBE.set_clipboard(text)
        time.sleep(1)
        self.choose_menu_item(self.open_tray_menu(self.icon), "終了")
        self.assert_ends(self.process)
        saved = (self.wordvane.folder / "ClipBoad.txt").read_bytes()
        self.assertTrue(saved.startswith(b"\xef\xbb\xbf"), "UTF-8 with a mark")
        self.assertIn(text.encode("utf-8"), saved)
        icons = PROBE.tray_icons()
        self.process = self.wordvane.start(trace_menus=True)
        self.wait_resident(icons)
        self.keyboard.focus("Wordvane Target")
        self.keyboard.press(self.CLIPBOARD_LIST_HOTKEY)
        self.wait_list(text, "the copy, back from the file")

    def test_the_history_searched_by_a_fragment_inserts_the_entry_found(self):
        for text in ("Meeting notes for Tuesday", "ｶﾀｶﾅのﾒﾓ", "report-2026.txt"):
            PROBE.set_clipboard(text)
            time.sleep(0.7)
        self.keyboard.focus("Wordvane Target")
        self.keyboard.press(self.CLIPBOARD_LIST_HOTKEY)
        self.wait_list("report-2026.txt", "the history")
        self.keyboard.press("ctrl+f")
        self.give_keyboard_to_filter_box()
        self.keyboard.type("NOTES")
        wait_for(lambda: len(self.candidate_window()["lines"]) == 1, 10, "the list narrowed")
        self.assertTrue(self.candidate_window()["lines"][0].startswith("Meeting notes"))
        time.sleep(0.3)
        shot(self.id())
        self.keyboard.press("Tab")
        self.wait_target("Meeting notes for Tuesday")

    def form1_title(self):
        return [w["title"] for w in self.wordvane.windows_of(PROBE) if w["children"] and
                any(c["class"].lower() == "listbox" for c in w["children"])][0]

    def exit_and_read_history_file(self):
        self.choose_menu_item(self.open_tray_menu(self.icon), "終了")
        self.assert_ends(self.process)
        # Shift_JIS, or UTF-8 with a mark once the history held a character
        # Shift_JIS has no place for (an earlier case's copy may be on the
        # clipboard when the program starts).
        saved = (self.wordvane.folder / "ClipBoad.txt").read_bytes()
        return saved.decode("utf-8-sig" if saved.startswith(b"\xef\xbb\xbf") else "cp932")

    def show_history(self, newest):
        self.keyboard.focus("Wordvane Target")
        self.keyboard.press(self.CLIPBOARD_LIST_HOTKEY)
        self.wait_list(newest, "the history with the newest copy selected")
        return self.candidate_window()["lines"]

    def test_a_copy_goes_to_the_history_and_its_file_and_a_password_does_not(self):
        self.keyboard.type("hello")
        self.wait_target("hello")
        self.keyboard.press("shift+Home")
        self.keyboard.press("ctrl+c")
        wait_for(lambda: PROBE.clipboard() == "hello", 10, "the copy in the target")
        time.sleep(1)  # a capture runs every 31 ticks
        PROBE.set_clipboard("hunter2", exclude=True)
        time.sleep(1)
        lines = self.show_history("hello")
        self.assertRegex(lines[2], r"^hello {44}\(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d\)$")
        self.assertFalse([line for line in lines if "hunter2" in line])
        self.keyboard.press("Escape")
        saved = self.exit_and_read_history_file()
        self.assertIn("\r\nhello\r\n", saved)
        self.assertNotIn("hunter2", saved)

    def test_tab_on_the_newest_history_entry_pastes_it(self):
        PROBE.set_clipboard("from the history")
        time.sleep(1)
        self.show_history("from the history")
        self.keyboard.press("Tab")
        self.wait_target("from the history")
        self.wait_hidden("the list to close after the paste")

    def test_delete_on_a_history_entry_removes_it_from_the_list_and_the_file(self):
        PROBE.set_clipboard("gone soon")
        time.sleep(1)
        self.show_history("gone soon")
        self.keyboard.press("Delete")
        box = self.wait_message_box("この項目を削除してよろしいですか?")
        # Answered from the keyboard: Return is Yes, and its press is never
        # read as typing once the list is back.
        self.give_keyboard_to_front(box["hwnd"])
        self.keyboard.press("Return")
        wait_for(lambda: not PROBE.message_boxes(), 10, "the question to close")
        wait_for(lambda: self.candidate_window()["visible"] and not [
            line for line in self.candidate_window()["lines"] if "gone soon" in line], 20,
            "the entry to leave the shown list, which stays")
        time.sleep(1)
        self.assertTrue(self.candidate_window()["visible"], "the list is still shown")
        self.assertEqual(self.wordvane.target_text(), "", "nothing was inserted")
        self.keyboard.press("Escape")
        self.assertNotIn("gone soon", self.exit_and_read_history_file())

    def test_home_end_and_the_mode_menu_change_the_list(self):
        self.keyboard.press("ctrl+alt+shift+1")
        self.wait_list("朝のあいさつ", "word list 1")
        self.keyboard.press("End")
        wait_for(lambda: self.form1_title() == "English - Wordvane ", 20, "End: the next list")
        self.wait_list("to provide room for", "the next list shown")
        self.keyboard.press("Home")
        wait_for(lambda: self.form1_title() == "あいさつ - Wordvane ", 20, "Home: back again")
        self.keyboard.press("Escape")
        self.wait_hidden("Esc")

        self.choose_menu_item(self.open_tray_menu(self.icon), "補完OFF")
        self.keyboard.focus("Wordvane Target")
        self.keyboard.press("ctrl+alt+shift+2")
        time.sleep(1)
        self.assertFalse(self.candidate_window()["visible"], "the list hotkeys are off")
        self.choose_menu_item(self.open_tray_menu(self.icon), "C++")
        self.keyboard.focus("Wordvane Target")
        self.keyboard.press("ctrl+alt+shift+2")
        self.wait_list("to provide room for", "a chosen mode brings the list hotkeys back")


def list_file(name, words):
    """A list file (Shift_JIS, CR LF) with no keys, each word one (name, account)."""
    lines = [name, "", "", "", "false", "normal", "middle", str(len(words)), "/"]
    for i, (word, account) in enumerate(words):
        lines += (["/"] if i else []) + [word, account]
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


class LauncherTextWindowAndSets(TargetCase):
    """Return opens a launcher entry through the shell; a copied path pops up
    the text window; the popup-menu hotkey rewrites the target's selection."""

    TRACE_MENUS = True

    def prepare_folder(self):
        # A file type of our own, opened by our recorder. Wine 8 reads the
        # classes from HKCR, not from HKCU\Software\Classes.
        helpers = Path(OPTIONS.helpers)
        self.recorded = helpers / "recorded.txt"
        self.recorded.unlink(missing_ok=True)
        recorder = windows_path(helpers / "wvrecord.exe")
        PREFIX.run_wine(["reg", "add", r"HKCR\.wvtest", "/ve", "/d", "wvtest.file", "/f"])
        PREFIX.run_wine(["reg", "add", r"HKCR\wvtest.file\shell\open\command", "/ve", "/d",
                         f'"{recorder}" "%1"', "/f"])
        (self.wordvane.folder / "sample.wvtest").write_text("sample")
        self.sample = rf"C:\wordvane-e2e\{self._testMethodName}\sample.wvtest"
        (self.wordvane.folder / "Launch.txt").write_bytes(
            list_file("ランチャー", [("sample", self.sample),
                                     ("missing", r"C:\zz\missing.wvtest")]))

    def exit_and_read(self, name):
        self.choose_menu_item(self.open_tray_menu(self.icon), "終了")
        self.assert_ends(self.process)
        return (self.wordvane.folder / name).read_bytes().decode("cp932")

    def test_return_on_a_launcher_entry_opens_it_through_the_shell(self):
        self.keyboard.press("ctrl+alt+shift+l")
        self.wait_list(self.sample, "the launcher list")
        self.give_keyboard_to_filter_box()
        shot(self.id())
        self.keyboard.press("Return")
        wait_for(lambda: self.recorded.exists(), 30, "the recorder to run")
        # The program runs in the file's own folder (not C:\).
        self.assertEqual(self.recorded.read_text("utf-8").splitlines(),
                         [self.sample, self.sample.rsplit("\\", 1)[0]])
        self.wait_hidden("the list to close after opening")

    def test_a_file_that_is_not_there_gets_one_message_of_ours(self):
        self.keyboard.press("ctrl+alt+shift+l")
        self.wait_list(self.sample, "the launcher list")
        self.give_keyboard_to_filter_box()
        self.keyboard.press("Down")
        self.keyboard.press("Return")
        # The system's words for "file not found", then the target.
        box = wait_for(lambda: [b for b in PROBE.message_boxes()
                                if any(t.endswith("\n" + r"C:\zz\missing.wvtest")
                                       for t in b["texts"])], 60, "the failure's message")[0]
        words = [t for t in box["texts"] if t.endswith("missing.wvtest")][0].split("\r\n")[0]
        self.assertNotIn(words, ("", "2"), "words, not a number")
        dialogs = [w for w in PROBE.windows() if w["class"] == "#32770" and w["visible"]]
        self.assertEqual([w["hwnd"] for w in dialogs], [box["hwnd"]], "no box of the shell's")
        PROBE.click(box["hwnd"], 2)  # OK (IDCANCEL answers a lone OK too)
        self.assertFalse(self.recorded.exists())

    def test_a_copied_path_pops_up_the_text_window_whose_register_adds_it(self):
        path = r"C:\e2e\data.txt"
        xdotool(DISPLAY.name, "type", "--delay", "150", path)
        self.wait_target(path)
        self.keyboard.press("shift+Home")
        self.keyboard.press("ctrl+c")
        form4 = wait_for(lambda: [w for w in self.wordvane.windows_of(PROBE)
                                  if w["title"] == path and w["visible"]], 20,
                         "the text window with the path")[0]
        names = [c["text"] for c in form4["children"] if c["class"].lower() == "edit"]
        self.assertEqual(names, ["data.txt"])
        # From the keyboard: activated, it has the keyboard in its name box;
        # Tab goes on to 登録, and Return in the box presses 登録.
        control = {c["id"]: c["hwnd"] for c in form4["children"]}
        self.give_keyboard_to_front(form4["hwnd"])
        wait_for(lambda: PROBE.front()["focus"] == control[101], 10, "the name box")
        self.keyboard.press("Tab")
        wait_for(lambda: PROBE.front()["focus"] == control[102], 10, "Tab: 登録")
        shot(self.id())
        self.keyboard.press("shift+Tab")
        wait_for(lambda: PROBE.front()["focus"] == control[101], 10, "Shift+Tab: the name box")
        self.keyboard.press("Return")
        wait_for(lambda: not [w for w in self.wordvane.windows_of(PROBE)
                              if w["title"] == path and w["visible"]], 20, "the window to hide")
        self.assertIn("\r\ndata.txt\r\nC:\\e2e\\data.txt\r\n", self.exit_and_read("Launch.txt"))

    def test_a_replacement_set_rewrites_the_selection_through_the_popup_hotkey(self):
        self.keyboard.type("abc")
        self.wait_target("abc")
        self.keyboard.press("shift+Home")
        self.keyboard.press("ctrl+alt+shift+r")
        menu = wait_for(lambda: [w for w in PROBE.windows()
                                 if w["class"] == "#32768" and w["visible"]], 20,
                        "the text-transform menu")[0]
        self.choose_menu_item(menu, "<b>で囲む")
        self.wait_target("<b>abc</b>")


    def test_a_conversion_of_the_submenu_rewrites_the_selection(self):
        PROBE.set_clipboard("mine")
        self.keyboard.type("one")
        self.keyboard.press("Return")
        self.keyboard.type("two")
        self.wait_target("one\ntwo")
        self.keyboard.press("ctrl+shift+Home")
        self.keyboard.press("ctrl+alt+shift+r")
        menu = wait_for(lambda: [w for w in PROBE.windows()
                                 if w["class"] == "#32768" and w["visible"]], 20,
                        "the text-transform menu")[0]
        rect = wait_for(lambda: [r for c, _, r in self.wordvane.drawn_menu_items()
                                 if c == "文字の変換"], 10, "the submenu's item")[0]
        xdotool(DISPLAY.name, "mousemove", str(menu["rect"][0] + 3 + (rect[0] + rect[2]) // 2),
                str(menu["rect"][1] + 3 + (rect[1] + rect[3]) // 2), "click", "1")
        submenu = wait_for(lambda: [w for w in PROBE.windows() if w["class"] == "#32768"
                                    and w["visible"] and w["hwnd"] != menu["hwnd"]], 10,
                           "the submenu 文字の変換")[0]
        time.sleep(0.5)
        shot(self.id())
        self.choose_menu_item(submenu, "改行を取る")
        self.wait_target("one two")
        wait_for(lambda: PROBE.clipboard() == "mine", 10, "the user's clipboard back")


class SeriesEditingAndHotkeys(TargetCase):
    """A series paste by Ctrl+V, the add-word dialog, and a new list hotkey
    set in the hotkey dialog."""

    TRACE_MENUS = True

    def form(self, title):
        return wait_for(lambda: [w for w in self.wordvane.windows_of(PROBE)
                                 if w["title"] == title and w["visible"]], 20,
                        f"the window {title!r}")[0]

    def answer_yes(self, text):
        PROBE.click(self.wait_message_box(text)["hwnd"], IDYES)

    def exit_answering_yes(self):
        """終了; every question at exit (save the changed lists?) gets Yes."""
        self.choose_menu_item(self.open_tray_menu(self.icon), "終了")
        deadline = time.monotonic() + 30
        while self.process.poll() is None and time.monotonic() < deadline:
            for box in PROBE.message_boxes():
                PROBE.click(box["hwnd"], IDYES)
            time.sleep(0.5)
        self.assert_ends(self.process)

    def test_three_history_entries_are_pasted_by_three_ctrl_v(self):
        for text in ("s1", "s2", "s3"):
            PROBE.set_clipboard(text)
            time.sleep(0.7)
        self.keyboard.focus("Wordvane Target")
        self.keyboard.press("ctrl+alt+shift+v")
        self.wait_list("s3", "the history")
        self.keyboard.press("Down")
        self.keyboard.press("Down")
        self.wait_list("s1", "the oldest of the three")
        self.keyboard.press("Insert")
        self.keyboard.press("Up")
        self.keyboard.press("Up")
        self.wait_list("s3", "the newest")
        self.keyboard.press("Insert")
        self.wait_hidden("the series to start")
        wait_for(lambda: PROBE.clipboard() == "s1", 10, "the first entry on the clipboard")
        for _ in range(3):
            self.keyboard.press("ctrl+v")
            time.sleep(0.3)
        self.wait_target("s1s2s3")

    def open_add_word_dialog(self, proposed):
        """Shift+Insert on word list 1 over the target, with `proposed` on the
        clipboard, which the dialog proposes as the new word's name."""
        PROBE.set_clipboard(proposed)
        self.keyboard.focus("Wordvane Target")
        self.keyboard.press("ctrl+alt+shift+1")
        self.wait_list("朝のあいさつ", "word list 1")
        self.keyboard.press("shift+Insert")
        return self.form("Wordvane")

    def test_a_word_added_in_the_dialog_is_in_its_file_after_exit(self):
        form3 = self.open_add_word_dialog("zzword")
        self.assertIn("zzword", [c["text"] for c in form3["children"]])
        # In front and centred on the 1280 x 1024 screen, and drawn there.
        left, top, right, bottom = form3["rect"]
        self.assertLessEqual(abs((left + right) // 2 - 640), 2, form3["rect"])
        self.assertLessEqual(abs((top + bottom) // 2 - 512), 2, form3["rect"])
        wait_for(lambda: PROBE.foreground() == form3["hwnd"], 10, "the dialog has the keyboard")
        order = [w["hwnd"] for w in PROBE.windows()]  # top first
        target = [w for w in PROBE.windows() if w["title"] == "Wordvane Target"][0]
        self.assertLess(order.index(form3["hwnd"]), order.index(target["hwnd"]),
                        "above the application it was opened over")
        self.assertGreater(PROBE.pixels(form3["rect"])["ink"], 1000, "the dialog on the screen")
        PROBE.click(form3["hwnd"], 107)  # 登録(&V)
        self.answer_yes("「zzword」を新しい単語として追加します。よろしいですか？")
        wait_for(lambda: not [w for w in self.wordvane.windows_of(PROBE)
                              if w["hwnd"] == form3["hwnd"] and w["visible"]], 20,
                 "the dialog to close")
        self.exit_answering_yes()
        saved = (self.wordvane.folder / "WordList1.txt").read_bytes().decode("cp932")
        self.assertIn("\r\nzzword\r\n", saved)

    def test_the_add_word_dialog_works_from_the_keyboard_alone(self):
        form3 = self.open_add_word_dialog("zzold")
        wait_for(lambda: PROBE.foreground() == form3["hwnd"], 10, "the dialog in front")
        self.give_keyboard_to_front(form3["hwnd"])
        control = {c["id"]: c["hwnd"] for c in form3["children"]}
        self.keyboard.type("kbword")  # the proposed name is selected: typing replaces it
        name = lambda: [c["text"] for c in self.form("Wordvane")["children"] if c["id"] == 102]
        wait_for(lambda: name() == ["kbword"], 10, "the typed name in place of the proposed one")
        # Tab visits the places list, then the description, then the buttons.
        for name, control_id in (("the list", 104), ("the description", 106)):
            self.keyboard.press("Tab")
            wait_for(lambda: PROBE.front()["focus"] == control[control_id], 10, name)
        self.keyboard.type("one")
        self.keyboard.press("Return")  # a new line in the description
        self.keyboard.type("two")
        shot(self.id())
        self.keyboard.press("Tab")
        wait_for(lambda: PROBE.front()["focus"] == control[107], 10, "the 登録 button")
        self.keyboard.press("Return")
        box = self.wait_message_box("「kbword」を新しい単語として追加します。よろしいですか？")
        self.give_keyboard_to_front(box["hwnd"])
        self.keyboard.press("Return")
        wait_for(lambda: not self.shown(form3), 20, "the dialog to close")
        # Esc closes it without adding.
        self.give_keyboard_to_front(self.open_add_word_dialog("zzold")["hwnd"])
        self.keyboard.type("never")
        self.keyboard.press("Escape")
        wait_for(lambda: not self.shown(form3), 20, "Esc to close the dialog")
        self.exit_answering_yes()
        saved = (self.wordvane.folder / "WordList1.txt").read_bytes().decode("cp932")
        self.assertIn("\r\nkbword\r\none\\ntwo\r\n", saved)
        self.assertNotIn("never", saved)

    def test_the_installers_quit_request_saves_a_changed_list_without_asking(self):
        form3 = self.open_add_word_dialog("quitword")
        PROBE.click(form3["hwnd"], 107)  # 登録(&V)
        self.answer_yes("「quitword」を新しい単語として追加します。よろしいですか？")
        wait_for(lambda: not self.shown(form3), 20, "the dialog to close")
        # The save question is on (vane.ini as shipped); a silent installer
        # has nobody to answer it.
        PROBE.request_quit(self.candidate_window()["hwnd"])
        self.assert_ends(self.process)
        self.assertEqual(PROBE.message_boxes(), [], "nothing asked")
        saved = (self.wordvane.folder / "WordList1.txt").read_bytes().decode("cp932")
        self.assertIn("\r\nquitword\r\n", saved)

    def test_the_list_menus_rename_dialog_comes_to_the_front_with_the_keyboard(self):
        self.keyboard.focus("Wordvane Target")
        self.keyboard.press("ctrl+alt+shift+1")
        self.wait_list("朝のあいさつ", "word list 1")
        list_box = self.candidate_window()["list"]
        click_centre([c["rect"] for w in PROBE.windows() for c in w["children"]
                      if c["hwnd"] == list_box][0], 3)
        menu = wait_for(lambda: [w for w in PROBE.windows()
                                 if w["class"] == "#32768" and w["visible"]], 30, "the list menu")[0]
        self.choose_menu_item(menu, "名前の変更")
        form5 = self.form("変換後の単語 - Wordvane")
        box = [c["hwnd"] for c in form5["children"] if c["id"] == 101][0]
        # Wine gives the foreground back to the window that keeps the X focus
        # once the menu lets go of the keyboard; Windows leaves it with the
        # dialog (the unit tests check that the program does not hand it
        # back).
        self.give_keyboard_to_front(form5["hwnd"])
        self.assertEqual(PROBE.front()["focus"], box, "the keyboard in its field")
        self.keyboard.type("renamed")  # the current name is selected: typing replaces it
        wait_for(lambda: [c["text"] for c in self.form("変換後の単語 - Wordvane")["children"]
                          if c["id"] == 101] == ["renamed"], 10, "the typed name")
        shot(self.id())
        self.keyboard.press("Escape")
        wait_for(lambda: not self.shown(form5), 20, "Esc to close the dialog")

    def open_hotkey_dialog_of_english(self):
        """ホットキー設定 > English in the tray menu: the hotkey dialog."""
        menu = self.open_tray_menu(self.icon)
        rect = wait_for(lambda: [r for c, _, r in self.wordvane.drawn_menu_items()
                                 if c == "ホットキー設定"], 10, "the hotkey item")[0]
        xdotool(DISPLAY.name, "mousemove", str(menu["rect"][0] + 3 + (rect[0] + rect[2]) // 2),
                str(menu["rect"][1] + 3 + (rect[1] + rect[3]) // 2))
        submenu = wait_for(lambda: [w for w in PROBE.windows() if w["class"] == "#32768" and
                                    w["visible"] and w["hwnd"] != menu["hwnd"]], 10,
                           "the hotkey submenu")[0]
        self.choose_menu_item(submenu, "English")
        return self.form("Englishの変更 - Wordvane")

    def test_the_replacement_editor_and_the_hotkey_dialog_from_the_keyboard(self):
        self.choose_menu_item(self.open_tray_menu(self.icon), "置換方法の編集")
        form9 = self.form("置換文字列の編集 - Wordvane")
        control = {c["id"]: c["hwnd"] for c in form9["children"]}
        self.give_keyboard_to_front(form9["hwnd"])
        # Tab goes on in reading order: the sets, the name, the texts.
        self.keyboard.press("Tab")
        wait_for(lambda: PROBE.front()["focus"] == control[103], 10, "Tab: the name")
        self.keyboard.type("kb")
        self.keyboard.press("Tab")
        wait_for(lambda: PROBE.front()["focus"] == control[105], 10, "Tab: the text before")
        self.keyboard.type("x")
        self.keyboard.press("Tab")
        wait_for(lambda: PROBE.front()["focus"] == control[107], 10, "Tab: the text after")
        self.keyboard.type("y")
        shot(self.id())
        self.keyboard.press("Return")  # 決定
        wait_for(lambda: not self.shown(form9), 20, "Return to press 決定")

        form6 = self.open_hotkey_dialog_of_english()
        self.give_keyboard_to_front(form6["hwnd"])
        self.keyboard.press("Tab")
        shot(self.id() + "_hotkeys")
        self.keyboard.press("Escape")  # キャンセル
        wait_for(lambda: not self.shown(form6), 20, "Esc to close the hotkey dialog")
        self.exit_answering_yes()
        settings = (self.wordvane.folder / "vane.ini").read_bytes().decode("cp932")
        self.assertIn("kb/x/y/ ポップアップの設定", settings)

    def test_a_list_hotkey_set_in_the_dialog_opens_the_list_and_is_saved(self):
        form6 = self.open_hotkey_dialog_of_english()
        for check in (102, 104):  # Shift and Alt off: Ctrl+F9 is left
            PROBE.click(form6["hwnd"], check)
        PROBE.choose(form6["hwnd"], 106, 26 + 14 + 10 + 8)  # F9
        PROBE.click(form6["hwnd"], 107)  # 変更
        self.answer_yes("ホットキーを変更してよろしいですか？")
        wait_for(lambda: not self.shown(form6), 20, "the dialog to close")
        self.keyboard.focus("Wordvane Target")
        self.keyboard.press("ctrl+F9")
        self.wait_list("to provide room for", "the new hotkey opens English")
        self.keyboard.press("Escape")
        self.exit_answering_yes()
        lines = (self.wordvane.folder / "vane.ini").read_bytes().decode("cp932").split("\r\n")
        # Lines 21 and 22 hold the hotkey of list 3 (English).
        self.assertEqual([lines[20].split("/")[0], lines[21].split("/")[0]], ["2", "120"])

    def test_the_sessions_end_saves_a_changed_word_list_and_the_history(self):
        PROBE.set_clipboard("zzsession")
        time.sleep(1)  # the history takes the copy
        self.keyboard.focus("Wordvane Target")
        self.keyboard.press("ctrl+alt+shift+1")
        self.wait_list("朝のあいさつ", "word list 1")
        self.keyboard.press("shift+Insert")
        PROBE.click(self.form("Wordvane")["hwnd"], 107)  # 登録(&V)
        self.answer_yes("「zzsession」を新しい単語として追加します。よろしいですか？")
        form1 = [w for w in self.wordvane.windows_of(PROBE)
                 if any(c["class"].lower() == "listbox" for c in w["children"])][0]
        PROBE.post(form1["hwnd"], 0x0011)  # WM_QUERYENDSESSION
        PROBE.post(form1["hwnd"], 0x0016, 1)  # WM_ENDSESSION, the session ends
        self.assert_ends(self.process)
        self.assertEqual(PROBE.message_boxes(), [], "nothing asked")
        for name in ("WordList1.txt", "ClipBoad.txt"):
            self.assertIn("\r\nzzsession\r\n",
                          (self.wordvane.folder / name).read_bytes().decode("cp932"), name)

    def shown(self, window):
        return [w for w in self.wordvane.windows_of(PROBE)
                if w["hwnd"] == window["hwnd"] and w["visible"]]


class Installer(unittest.TestCase):
    """The per-user installer in a Wine prefix of its own (so its
    %LOCALAPPDATA% is inside the build folder): a silent install, the
    program running from where it went, an upgrade over the running program
    that asks it to quit and keeps the user's list, and a silent uninstall."""

    RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
    UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Wordvane"

    def setUp(self):
        if not OPTIONS.setup:
            self.skipTest("no installer given (--setup)")
        path = Path(OPTIONS.prefix).parent / "installer-prefix"
        shutil.rmtree(path, ignore_errors=True)  # a first install each time
        self.prefix = WinePrefix(path, DISPLAY.name)
        self.addCleanup(self.prefix.stop)
        self.probe = Probe(self.prefix, OPTIONS.helpers)

    def query(self, key, name):
        """A registry value as text, or None."""
        output = self.prefix.run_wine(["reg", "query", key, "/v", name]).decode("utf-8", "replace")
        found = re.search(rf"{name}\s+REG_\w+\s+(.*)", output)
        return found.group(1).strip() if found else None

    def test_install_run_upgrade_and_uninstall(self):
        self.prefix.run_wine([OPTIONS.setup, "/S"], timeout=180)
        users = self.prefix.drive_c() / "users"
        folder = next(users.glob("*/AppData/Local")) / "Programs" / "Wordvane"
        lists = ["vane.ini", "Launch.txt", "ClipBoad.txt"] + [f"WordList{i}.txt" for i in range(1, 6)]
        self.assertEqual(sorted(p.name for p in folder.iterdir()),
                         sorted(lists + ["wordvane.exe", "README.txt", "uninstall.exe"]))
        shortcuts = "*/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Wordvane.lnk"
        self.assertTrue(list(users.glob(shortcuts)), "the Start menu shortcut")
        self.assertIn(r"Programs\Wordvane\wordvane.exe", self.query(self.RUN_KEY, "Wordvane") or "")
        self.assertEqual(self.query(self.UNINSTALL_KEY, "Publisher"), "Wordvane")
        self.assertRegex(self.query(self.UNINSTALL_KEY, "DisplayVersion") or "", r"^\d+\.\d+\.\d+$")

        # The installed program runs; its tray menu has the start at sign-in
        # checked (Wine's menu trace tells the items).
        icons = {icon["hwnd"] for icon in self.probe.tray_icons()}
        log = Path(OPTIONS.prefix).parent / "installer-program.log"
        with open(log, "wb") as output:
            program = subprocess.Popen(["wine", str(folder / "wordvane.exe")],
                                       env={**self.prefix.env, "WINEDEBUG": "-all,+menu"},
                                       stdout=output, stderr=output, start_new_session=True)
        self.addCleanup(lambda: program.poll() is None and os.killpg(program.pid, signal.SIGKILL))
        icon = wait_for(lambda: [i for i in self.probe.tray_icons() if i["hwnd"] not in icons], 60,
                        "the installed program's tray icon")[-1]
        click_centre(icon["rect"], 3)
        items = wait_for(lambda: tray_menu_captions(log), 30, "the tray menu")
        self.assertIn((0x8, "Windows の起動時に開始"),
                      [(flags & 0x8, caption) for flags, caption in items])
        xdotool(DISPLAY.name, "key", "Escape")

        # The upgrade asks the running program to quit as "終了" does: the
        # history it holds is saved first; the user's word list stays.
        changed = (folder / "WordList1.txt").read_bytes().replace(b"ohayo", b"ohayou")
        (folder / "WordList1.txt").write_bytes(changed)
        self.probe.set_clipboard("copied before the upgrade")
        time.sleep(1.5)
        self.prefix.run_wine([OPTIONS.setup, "/S"], timeout=180)
        wait_for(lambda: program.poll() is not None, 30, "the program to quit")
        self.assertIn(b"copied before the upgrade", (folder / "ClipBoad.txt").read_bytes())
        self.assertEqual((folder / "WordList1.txt").read_bytes(), changed)

        # The upgrade keeps the start at sign-in as the user left it, and
        # unticked (here from the command line) it removes the old one.
        installed = self.query(self.RUN_KEY, "Wordvane")
        self.prefix.run_wine(["reg", "delete", self.RUN_KEY, "/v", "Wordvane", "/f"])
        self.prefix.run_wine([OPTIONS.setup, "/S"], timeout=180)
        self.assertIsNone(self.query(self.RUN_KEY, "Wordvane"), "turned off before the upgrade")
        self.prefix.run_wine(["reg", "add", self.RUN_KEY, "/v", "Wordvane", "/d", installed, "/f"])
        self.prefix.run_wine([OPTIONS.setup, "/S", "/NOSTARTATSIGNIN"], timeout=180)
        self.assertIsNone(self.query(self.RUN_KEY, "Wordvane"), "unticked on the upgrade")

        # The uninstaller leaves a start at sign-in that names another copy.
        other = r'"C:\Tools\Wordvane\wordvane.exe"'
        self.prefix.run_wine(["reg", "add", self.RUN_KEY, "/v", "Wordvane", "/d", other, "/f"])
        self.prefix.run_wine([str(folder / "uninstall.exe"), "/S"], timeout=120)
        wait_for(lambda: not (folder / "wordvane.exe").exists(), 60, "the uninstall")
        wait_for(lambda: self.query(self.UNINSTALL_KEY, "Publisher") is None, 30,
                 "the uninstall entry to go")
        self.assertEqual(self.query(self.RUN_KEY, "Wordvane"), other)
        self.assertFalse(list(users.glob(shortcuts)))
        self.assertEqual(sorted(p.name for p in folder.iterdir() if not p.name.endswith(".bak")),
                         sorted(lists), "the user's lists and settings stay")


def main():
    global OPTIONS
    parser = argparse.ArgumentParser()
    parser.add_argument("--program-folder", required=True)
    parser.add_argument("--helpers", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--setup", help="the installer, tried in a prefix of its own")
    parser.add_argument("tests", nargs="*")
    OPTIONS = parser.parse_args()
    result = unittest.main(argv=[sys.argv[0], "-v", *OPTIONS.tests], exit=False).result
    failed = len(result.failures) + len(result.errors)
    print(f"e2e: {result.testsRun - failed} passed, {failed} failed")
    sys.exit(0 if result.wasSuccessful() and result.testsRun > 0 else 1)


if __name__ == "__main__":
    main()
