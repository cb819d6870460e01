"""Syntax.diff, remediate and apply: the tool's comparison from Python."""
import pathlib
import tempfile
import unittest

import quillset
from helpers import ROUTER_CFG


def changed(text):
    """The router with a new hostname, one interface removed and another's description changed."""
    lines = text.replace("hostname ", "hostname new-", 1).split("\n")
    start = lines.index("interface FastEthernet1/0")
    end = next(i for i in range(start + 1, len(lines)) if not lines[i].startswith(" "))
    return "\n".join(lines[:start] + lines[end:]).replace(" description ", " description changed ", 1)


class Comparison(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.syntax = quillset.Syntax()
        cls.text = ROUTER_CFG.read_text()

    def test_diff_reports_each_kind_grouped_by_parent(self):
        running, intended = self.syntax.parse(self.text), self.syntax.parse(changed(self.text))
        groups = self.syntax.diff(running, intended)
        changes = {(change["kind"], change["command"]) for group in groups for change in group["changes"]}
        self.assertLessEqual({("changed", "Hostname"), ("only_in_a", "Interface")}, changes)
        hostname = next(change for group in groups for change in group["changes"] if change["command"] == "Hostname")
        self.assertEqual(hostname["fields"], [{"field": "name", "old": "edge-router", "new": "new-edge-router"}])
        self.assertEqual(self.syntax.diff(running, running), [])

    def test_applying_the_remediation_reaches_the_intended_records(self):
        # (The tool's tests check this law over the corpus; here it checks the bindings.)
        intended = changed(self.text)
        added = self.text.replace("interface ", "interface Loopback9\n ip address 10.9.9.9 255.255.255.255\ninterface ", 1)
        for running_text, intended_text in [(self.text, intended), (intended, self.text), (self.text, added)]:
            running, target = self.syntax.parse(running_text), self.syntax.parse(intended_text)
            commands = self.syntax.remediate(running, target)
            applied = self.syntax.apply(running_text, commands)
            with self.subTest(commands=commands):
                self.assertNotEqual(commands, "")
                self.assertEqual(self.syntax.diff(applied, target), [])
                self.assertEqual(self.syntax.remediate(applied, target), "")

    def test_bad_rules_and_configurations_raise(self):
        store = self.syntax.parse(self.text)
        with tempfile.NamedTemporaryFile("w", suffix=".rules") as rules:
            rules.write("key NoSuchCommand name\n")
            rules.flush()
            with self.assertRaises(quillset.RulesError) as caught:
                self.syntax.remediate(store, store, rules=pathlib.Path(rules.name))
            self.assertEqual((caught.exception.path, caught.exception.line), (rules.name, 1))
        with self.assertRaises(quillset.ParseError):
            self.syntax.apply("banner motd ^C\nnever closed\n", "hostname x\n")


if __name__ == "__main__":
    unittest.main()
