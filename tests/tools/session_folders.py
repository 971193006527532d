#!/usr/bin/env python3
"""Makes the program folders the random sessions run on besides the shipped
one: OUT/limits (lists at their largest: 32,767 words in word list 1 and the
launcher, a history of 1,000, ten replacement sets with the user's comments)
and OUT/japanese (Japanese names, long lines, multi-line texts).

usage: session_folders.py DEFAULTS OUT
"""
import pathlib
import shutil
import sys


def write(path, lines):
    path.write_bytes(("\r\n".join(lines) + "\r\n").encode("cp932"))


def list_file(name, start, words, flags=("", "", "false", "normal", "middle")):
    lines = [name, start, *flags, str(len(words)), "/"]
    for index, word in enumerate(words):
        if index:
            lines.append("/")
        for element_name, account in word:
            lines += [element_name, account]
    return lines


def settings(defaults, history, extra_lines):
    lines = (defaults / "vane.ini").read_bytes().decode("cp932").split("\r\n")[:28]
    lines[2] = f"{history}" + lines[2][lines[2].index("/"):]
    return lines + extra_lines


def limits(defaults, out):
    shutil.copytree(defaults, out)
    words = [[(f"w{n:05d}", f"word {n}")] for n in range(32767)]
    words[0] += [(f"e{n}", f"element {n}") for n in range(2000)]
    write(out / "WordList1.txt", list_file("最大", ";", words))
    write(out / "Launch.txt",
          list_file("ランチャー", "", [[(f"l{n:05d}", f"C:\\data\\{n}.txt")] for n in range(32767)]))
    history = [[("保管庫", "よく使うテキストをここに保管します。")],
               [("クリップボード履歴", "コピーしたテキストが新しい順に並びます。")]]
    history += [[("", "まだ入っていません。")] for _ in range(998)]
    write(out / "ClipBoad.txt",
          list_file("クリップボード", "", history, ("", "", "true", "normal", "large")))
    sets = [f"set{n}/{chr(ord('a') + n)}/<{n}>\\a/ ポップアップの設定" for n in range(10)]
    write(out / "vane.ini", settings(defaults, 1000, ["", "/ 置換の設定です"] + sets + [""]))


def japanese(defaults, out):
    shutil.copytree(defaults, out)
    long_text = "日本語の長い説明文です。" * 200
    multi = "\\n".join(f"{n}行目のテキスト、全角と半角ｶﾅを含みます。" for n in range(50))
    words = [
        [("あいさつ", long_text), ("おはようございます" * 50, multi), ("短い", "短い説明")],
        [("お疲れさまです", multi), ("候補" * 300, long_text)],
        [("改行", "一行目\\n二行目\\n\\n四行目"), ("円記号", "C:\\\\フォルダ\\\\ファイル.txt")],
        [("ohayo", "おはよう"), ("o" * 1000, "長い名前")],
    ]
    write(out / "WordList1.txt",
          list_file("日本語のリスト" * 20, ";", words, ("", "", "false", "reverse", "large")))
    write(out / "WordList2.txt",
          list_file("長い行", ":", [[("w" + "あ" * n, long_text[: n * 10])] for n in range(1, 60)]))
    sets = ["全角括弧で囲む/\\a/「\\a」/ ポップアップの設定",
            "長い置換/\\n/\\n" + "＞" * 100 + "/ ポップアップの設定"]
    write(out / "vane.ini", settings(defaults, 20, sets))


def main():
    defaults, out = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    for folder in ("limits", "japanese"):
        shutil.rmtree(out / folder, ignore_errors=True)
    limits(defaults, out / "limits")
    japanese(defaults, out / "japanese")


if __name__ == "__main__":
    main()
