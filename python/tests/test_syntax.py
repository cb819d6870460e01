"""Syntax: compiling syntax files, parsing text and files, generating back, parse_many."""
import concurrent.futures
import pathlib
import tempfile
import unittest

import quillset
from helpers import ROUTER_CFG, corpus_files, meaningful_lines


def write_temp(text, suffix):
    handle = tempfile.NamedTemporaryFile("w", suffix=suffix, delete=False)
    with handle:
        handle.write(text)
    return pathlib.Path(handle.name)


class SyntaxFiles(unittest.TestCase):
    def test_bundled_syntax_is_the_default(self):
        syntax = quillset.Syntax()
        self.assertTrue(syntax.path.endswith("zyn.syntax"))
        self.assertEqual(len(quillset.Syntax(pathlib.Path(syntax.path)).parse(ROUTER_CFG)),
                         len(syntax.parse(ROUTER_CFG)))

    def test_faulty_files_raise_with_status_and_messages(self):
        bad = write_temp("A,,a\nB,,b ]\nC,, c\n", ".syntax")
        self.addCleanup(bad.unlink)
        cases = [
            (str(bad), 2, ["Error on line 1: parse error", "Error on line 2: parse error"]),
            ("/nonexistent/x.syntax", 4, []),
        ]
        for path, status, messages in cases:
            with self.subTest(path=path), self.assertRaises(quillset.SyntaxFileError) as caught:
                quillset.Syntax(path)
            self.assertEqual((caught.exception.status, caught.exception.messages, caught.exception.path),
                             (status, messages, path))
            self.assertIsInstance(caught.exception, quillset.Error)
            self.assertIn(path, str(caught.exception))


class Parsing(unittest.TestCase):
    syntax = quillset.Syntax()

    def test_text_path_and_str_path_give_the_same_store(self):
        text = ROUTER_CFG.read_text()
        expected = self.syntax.parse(ROUTER_CFG).to_delimited()
        self.assertEqual(self.syntax.parse(text).to_delimited(), expected)
        self.assertEqual(self.syntax.parse(str(ROUTER_CFG)).to_delimited(), expected)

    def test_bad_input_raises_parse_error_naming_file_and_line(self):
        binary = write_temp("hostname a\n\0\n", ".cfg")
        self.addCleanup(binary.unlink)
        cases = [
            ("/nonexistent/router.cfg", "/nonexistent/router.cfg", 0, "cannot"),
            (binary, str(binary), 2, "NUL byte"),
            ("hostname a\nhostname \0b\n", "<text>", 2, "NUL byte"),
            ("banner motd ^C\nno end\n", "<text>", 1, "banner never closed"),
        ]
        for source, path, line, what in cases:
            with self.subTest(source=source), self.assertRaises(quillset.ParseError) as caught:
                self.syntax.parse(source)
            self.assertEqual((caught.exception.path, caught.exception.line), (path, line))
            self.assertIn(what, str(caught.exception))

    def test_dialect_places_unmatched_lines_by_indentation(self):
        text = "interface e0\n odd one\n description d\n!\nhostname h\n"
        dialect = self.syntax.parse(text)
        interface, = dialect.records("Interface")
        self.assertEqual([child.name for child in interface.children], ["_UNKNOWN", "Description"])
        self.assertEqual(self.syntax.generate(dialect), "hostname h\ninterface e0\n description d\n odd one\n")
        plain = self.syntax.parse(text, dialect=False)
        self.assertEqual([r["_Text"] for r in plain.records("_UNKNOWN", parent=None)], [" odd one", "!"])
        self.assertEqual(plain.records("_UNKNOWN")[0].parent, None)

    def test_generation_writes_back_every_line(self):
        text = ROUTER_CFG.read_text()
        generated = self.syntax.generate(self.syntax.parse(text))
        self.assertEqual(meaningful_lines(generated), meaningful_lines(text))

    def test_device_configurations_round_trip(self):
        files = corpus_files()
        if not files:
            self.skipTest("no device configurations beside the project")
        for path in files:
            with self.subTest(path=path.name):
                store = self.syntax.parse(path)
                generated = self.syntax.generate(store)
                # Nothing is invented, and the text written back reads back to itself.
                original = set(line.rstrip() for line in meaningful_lines(path.read_text()))
                self.assertLessEqual(set(line.rstrip() for line in meaningful_lines(generated)), original)
                reread = self.syntax.generate(self.syntax.parse(generated))
                self.assertEqual(meaningful_lines(reread), meaningful_lines(generated))
                again = quillset.Store.from_delimited(store.to_delimited())
                self.assertEqual(self.syntax.generate(again), generated)


class ParseMany(unittest.TestCase):
    def test_threads_give_what_one_parse_gives(self):
        syntax = quillset.Syntax()
        paths = (corpus_files() or [ROUTER_CFG] * 8) * 2
        expected = [syntax.parse(path).to_delimited() for path in paths]
        for jobs in (None, 1, 3):
            with self.subTest(jobs=jobs):
                stores = quillset.parse_many(paths, jobs=jobs, syntax=syntax)
                self.assertEqual([store.to_delimited() for store in stores], expected)
        self.assertEqual(quillset.parse_many([]), [])

    def test_python_threads_share_one_syntax(self):
        syntax = quillset.Syntax()
        text = ROUTER_CFG.read_text()
        expected = syntax.generate(syntax.parse(text))
        with concurrent.futures.ThreadPoolExecutor(4) as pool:
            results = list(pool.map(lambda _: syntax.generate(syntax.parse(text)), range(32)))
        self.assertEqual(results, [expected] * 32)

    def test_bad_input(self):
        with self.assertRaises(ValueError):
            quillset.parse_many([ROUTER_CFG], jobs=0)
        with self.assertRaises(quillset.ParseError) as caught:
            quillset.parse_many([ROUTER_CFG, "/nonexistent/a.cfg", "/nonexistent/b.cfg"], jobs=2)
        self.assertEqual(caught.exception.path, "/nonexistent/a.cfg")


if __name__ == "__main__":
    unittest.main()
