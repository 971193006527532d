"""End-to-end cases: the real wordvane.exe under Wine on a virtual display.

run_e2e.py --program-folder DIR --helpers DIR --prefix DIR
"""

import argparse
import sys
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from desktop import (Probe, VirtualDisplay, WinePrefix, Wordvane, wait_for,  # noqa: E402
                     xdotool)

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
