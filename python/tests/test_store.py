"""Store and Record: queries, fields, tree links, changes, lifetimes and the delimited and
dict forms, checked against each other and against the generated text."""
import gc
import json
import os
import subprocess
import unittest

import quillset
from helpers import ROUTER_CFG, corpus_files

SYNTAX = quillset.Syntax()


def parsed_router():
    return SYNTAX.parse(ROUTER_CFG)


class Queries(unittest.TestCase):
    def setUp(self):
        self.store = parsed_router()

    def test_filters_agree_with_a_plain_walk(self):
        everything = list(self.store)
        self.assertEqual(len(everything), len(self.store))
        uplink, = self.store.records("Interface", name="FastEthernet0/0")
        cases = [
            (("Interface",), {}, lambda r: r.name == "Interface"),
            (("IpAddress",), {"parent": uplink}, lambda r: r.name == "IpAddress" and r.parent == uplink),
            ((), {"parent": uplink}, lambda r: r.parent == uplink),
            ((), {"name": "FastEthernet0/1"}, lambda r: r.get("name") == "FastEthernet0/1"),
            (("InterfaceIpNat",), {"side": 1}, lambda r: r.name == "InterfaceIpNat" and r.get("side") == "1"),
            (("InterfaceIpNat",), {"side": True}, lambda r: r.name == "InterfaceIpNat" and r.get("side") == "1"),
            (("Interface",), {"missing": ""}, lambda r: r.name == "Interface"),
            (("Nowhere",), {}, lambda r: False),
        ]
        for args, conditions, keep in cases:
            with self.subTest(args=args, conditions=conditions):
                found = self.store.records(*args, **conditions)
                self.assertEqual(found, [r for r in everything if keep(r)])
        self.assertTrue(self.store.records("InterfaceIpNat", side=1))

    def test_records_of_one_name_come_in_the_order_added(self):
        names = [r["name"] for r in self.store.records("Interface")]
        self.assertEqual(names, ["Loopback0", "FastEthernet0/0", "FastEthernet0/1", "FastEthernet1/0"])


class Records(unittest.TestCase):
    def setUp(self):
        self.store = quillset.Store()
        self.interface = self.store.create("Interface", name="eth0", mtu=1500, up=True, note=None)

    def test_fields_are_an_ordered_mapping_of_texts(self):
        record = self.interface
        self.assertEqual(record.fields, {"name": "eth0", "mtu": "1500", "up": "1", "note": ""})
        self.assertEqual(list(record.fields), ["name", "mtu", "up", "note"])
        record["mtu"] = 9000
        record["speed"] = "auto"
        del record["note"]
        self.assertEqual(list(record.fields.items()), [("name", "eth0"), ("mtu", "9000"), ("up", "1"),
                                                       ("speed", "auto")])
        self.assertEqual((record["mtu"], record.get("note"), record.get("note", "-")), ("9000", None, "-"))
        self.assertTrue("speed" in record and "note" not in record)
        for bad in (lambda: record["note"], lambda: record.__delitem__("note")):
            with self.assertRaises(KeyError):
                bad()

    def test_header_and_footer(self):
        record = self.interface
        self.assertEqual((record.header, record.footer), (None, None))
        record.header = "! uplink"
        record.footer = ""
        self.assertEqual((record.header, record.footer, record["_Header"]), ("! uplink", "", "! uplink"))
        self.assertEqual(list(record.fields), ["name", "mtu", "up", "note"])
        record.header = None
        self.assertEqual(record.header, None)
        self.assertNotIn("_Header", record)

    def test_tree_links_and_identity(self):
        child = self.store.create("Address", self.interface, address="192.0.2.1")
        other = self.store.create("Address", parent=self.interface, address="192.0.2.2")
        self.assertEqual(child.parent, self.interface)
        self.assertEqual(self.interface.children, [child, other])
        self.assertIsNone(self.interface.parent)
        same, = self.store.records("Address", address="192.0.2.1")
        self.assertEqual(same, child)
        self.assertEqual(hash(same), hash(child))
        self.assertNotEqual(child, other)
        self.assertIn("Address address=192.0.2.1", repr(child))

    def test_records_of_another_store_are_refused(self):
        other = quillset.Store().create("Interface")
        for call in (lambda: self.store.create("Address", other), lambda: self.store.delete(other),
                     lambda: self.store.records(parent=other)):
            with self.assertRaises(ValueError):
                call()


class Lifetimes(unittest.TestCase):
    def test_a_record_keeps_its_store_alive(self):
        store = parsed_router()
        count = len(store)
        interface = store.records("Interface")[1]
        del store
        gc.collect()
        self.assertEqual(len(interface.store), count)
        self.assertEqual(interface.children[0].parent, interface)
        self.assertEqual(interface.store.records("Interface")[1], interface)

    def test_deleted_records_raise_instead_of_reading_freed_memory(self):
        store = quillset.Store()
        top = store.create("Interface", name="eth0")
        child = store.create("Address", top, address="a")
        grandchild = store.create("Secondary", child, address="b")
        kept = store.create("Interface", name="eth1")
        store.delete(child, cascade=True)
        uses = (lambda r: r.name, lambda r: r.fields, lambda r: r["address"], lambda r: r.parent,
                lambda r: r.children, lambda r: r.__setitem__("x", 1), lambda r: store.delete(r), repr)
        for record in (child, grandchild):
            for use in uses:
                with self.assertRaises(quillset.DeletedRecordError):
                    use(record)
        self.assertEqual((len(store), top.children, kept["name"]), (2, [], "eth1"))
        # Without cascade the children stay, at the top level.
        orphan = store.create("Address", kept, address="c")
        store.delete(kept)
        self.assertEqual((orphan.parent, orphan["address"], len(store)), (None, "c", 2))
        # A record made after a deletion, maybe at the same address, is a new record.
        fresh = [store.create("Address", address=str(i)) for i in range(50)]
        self.assertEqual([r["address"] for r in fresh], [str(i) for i in range(50)])
        with self.assertRaises(quillset.DeletedRecordError):
            child.name


class TextForms(unittest.TestCase):
    def test_delimited_text_round_trips_records_and_links(self):
        store = parsed_router()
        text = store.to_delimited()
        self.assertIn("Interface,name=FastEthernet0/0\n", text)
        again = quillset.Store.from_delimited(text)
        self.assertEqual(again.to_delimited(), text)
        self.assertEqual(SYNTAX.generate(again), SYNTAX.generate(store))
        self.assertEqual(len(quillset.Store.from_delimited("")), 0)
        with self.assertRaisesRegex(ValueError, "<text>:2: "):
            quillset.Store.from_delimited("A,x=1\nB,y=2,__Parent=9\n")

    def test_text_that_is_not_utf8_comes_back_byte_for_byte(self):
        raw = "hostname caf\udce9\ninterface e0\n description \udcff\udcfe\n"
        store = SYNTAX.parse(raw)
        self.assertEqual(store.records("Hostname")[0]["name"], "caf\udce9")
        self.assertEqual(SYNTAX.generate(quillset.Store.from_delimited(store.to_delimited())), raw)

    def test_dict_is_the_tools_json_document(self):
        tool = os.environ.get("QUILLSET_TOOL")
        if not tool:
            self.skipTest("the quillset tool is not built")
        for path in [ROUTER_CFG] + corpus_files():
            with self.subTest(path=path.name):
                document = json.loads(subprocess.run([tool, "parse", "--format", "json", str(path)], check=True,
                                                     capture_output=True, text=True).stdout)
                self.assertEqual(SYNTAX.parse(path).to_dict(), document)

    def test_dict_tree_holds_every_record_once(self):
        store = parsed_router()

        def count(nodes):
            return sum(1 + count(node.get("children", [])) for node in nodes)

        tree = store.to_dict()
        self.assertEqual(count(tree["records"]), len(store))
        self.assertEqual(tree["records"][0], {"name": "Version", "fields": {"release": "12.4"}})
        made = quillset.Store()
        interface = made.create("Interface", name="e0")
        interface.header = "! first"
        made.create("Mtu", interface, bytes=9000)
        self.assertEqual(made.to_dict(), {"records": [
            {"name": "Interface", "fields": {"name": "e0"}, "header": "! first",
             "children": [{"name": "Mtu", "fields": {"bytes": "9000"}}]}]})

if __name__ == "__main__":
    unittest.main()
