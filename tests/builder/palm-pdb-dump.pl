#!/usr/bin/perl
# Prints what an independent reader (Palm::PDB, Debian package libpalm-pdb-perl) finds in
# a database file, one item a line, for the builder tests to compare with what they wrote.
# Exits 77 when the module is not installed.
use strict;
use warnings;

BEGIN {
    eval { require Palm::PDB; require Palm::Raw; 1 } or exit 77;
    Palm::Raw->import();
}

my $file = shift or die "usage: palm-pdb-dump.pl FILE.pdb\n";
my $pdb = Palm::PDB->new;
$pdb->Load($file) or die "cannot load $file\n";

my $epoch1904 = 2082844800;
printf "name %s\n", $pdb->{name};
printf "type %s\n", $pdb->{type};
printf "creator %s\n", $pdb->{creator};
printf "open %d\n", $pdb->{attributes}{Open} ? 1 : 0;
printf "version %d\n", $pdb->{version};
printf "ctime %u\n", $pdb->{ctime} + $epoch1904;
printf "mtime %u\n", $pdb->{mtime} + $epoch1904;
printf "baktime %u\n", $pdb->{baktime} + $epoch1904;
printf "modnum %d\n", $pdb->{modnum};
printf "appinfo %s\n", defined $pdb->{appinfo} ? unpack("H*", $pdb->{appinfo}) : "-";
printf "records %d\n", scalar @{ $pdb->{records} };
my $i = 0;
for my $record (@{ $pdb->{records} }) {
    printf "record %d id %d dirty %d data %s\n", $i++, $record->{id},
        $record->{attributes}{Dirty} ? 1 : 0, unpack("H*", $record->{data});
}
