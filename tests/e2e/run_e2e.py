"""End-to-end cases: the real wordvane.exe under Wine on a virtual display.

run_e2e.py --program-folder DIR --helpers DIR --prefix DIR
"""

import argparse
import sys
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from desktop import (Keyboard, Probe, VirtualDisplay, WinePrefix, Wordvane,  # noqa: E402
                     wait_for, xdotool)

OPTIONS = None
DISPLAY = None
PREFIX = None
PROBE = None

LIST_NAMES = ["ランチャー", "クリップボード", "あいさつ", "English", "記号", "定型文", "C++"]
MB_OK_BUTTON = 1  # IDOK
WM_RBUTTONUP = 0x0205


def setUpModule():
    global DISPLAY, PREFIX, PROBE
    DISPLAY = VirtualDisplay()
    PREFIX = WinePrefix(OPTIONS.prefix, DISPLAY.name)
    PROBE = Probe(PREFIX, OPTIONS.helpers)


def tearDownModule():
    PREFIX.stop()
    DISPLAY.stop()


class WordvaneCase(unittest.TestCase):
    def setUp(self):
        self.wordvane = Wordvane(PREFIX, OPTIONS.program_folder, self._testMethodName)
        self.addCleanup(self.wordvane.stop_all)

    def wait_resident(self, icons_before):
        """Waits until the program has created its windows and added a tray icon."""
        wait_for(lambda: len(PROBE.tray_icons()) > len(icons_before), 60, "the tray icon")
        new = [icon for icon in PROBE.tray_icons()
               if icon["hwnd"] not in {i["hwnd"] for i in icons_before}]
        return new[-1]

    def wait_message_box(self, text):
        def found():
            return [box for box in PROBE.message_boxes() if text in box["texts"]]
        return wait_for(found, 60, f"the message box {text!r}")[0]

    def assert_ends(self, process, timeout=30):
        wait_for(lambda: process.poll() is not None, timeout, "the process to end")


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
        before = self.wordvane.files()
        self.wordvane.age_files()
        icons = PROBE.tray_icons()
        process = self.wordvane.start(trace_menus=True)
        icon = self.wait_resident(icons)

        # A right click on the icon in Wine's tray window, as a user would.
        left, top, right, bottom = icon["rect"]
        xdotool(DISPLAY.name, "mousemove", str((left + right) // 2), str((top + bottom) // 2),
                "click", "3")
        menu = wait_for(lambda: [w for w in PROBE.windows()
                                 if w["class"] == "#32768" and w["visible"]], 30,
                        "the mode menu")[0]
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


class Completion(WordvaneCase):
    """Word completion in our target application, driven by keys on the display."""

    def setUp(self):
        super().setUp()
        self.keyboard = Keyboard(DISPLAY.name)
        icons = PROBE.tray_icons()
        self.wordvane.start()
        self.wait_resident(icons)
        self.wordvane.start_target(OPTIONS.helpers)
        wait_for(lambda: self.wordvane.target_text() == "", 30, "the target application")
        self.keyboard.focus("Wordvane Target")

    def candidate_window(self):
        """Form1 as the probe sees it: visibility, the text of Text1 and the
        lines of List1 with the selected one."""
        for window in PROBE.windows():
            edits = [c for c in window["children"] if c["class"].lower() == "edit"]
            lists = [c for c in window["children"] if c["class"].lower() == "listbox"]
            if window["class"] == "WordvaneForm" and edits and lists:
                return {"visible": window["visible"], "text1": edits[0]["text"],
                        "lines": lists[0]["lines"], "selected": lists[0]["selected"]}
        return None

    def wait_list(self, text1, what):
        return wait_for(lambda: (self.candidate_window() or {}).get("visible") and
                        self.candidate_window()["text1"] == text1, 20, what)

    def wait_hidden(self, what):
        wait_for(lambda: self.candidate_window()["visible"] is False, 20, what)

    def wait_target(self, text):
        wait_for(lambda: self.wordvane.target_text() == text, 20, f"the target to hold {text!r}")

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
        self.keyboard.press("Escape")
        self.wait_hidden("Esc to hide the list")
        self.keyboard.type("ab")
        self.wait_target("ab")
        self.keyboard.press("Left")
        self.keyboard.type("X")
        self.wait_target("aXb")


def main():
    global OPTIONS
    parser = argparse.ArgumentParser()
    parser.add_argument("--program-folder", required=True)
    parser.add_argument("--helpers", required=True)
    parser.add_argument("--prefix", required=True)
    OPTIONS = parser.parse_args()
    result = unittest.main(argv=[sys.argv[0], "-v"], exit=False).result
    failed = len(result.failures) + len(result.errors)
    print(f"e2e: {result.testsRun - failed} passed, {failed} failed")
    sys.exit(0 if result.wasSuccessful() and result.testsRun > 0 else 1)


if __name__ == "__main__":
    main()
