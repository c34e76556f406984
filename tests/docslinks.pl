#!/usr/bin/perl
# SPDX-FileCopyrightText: 2026 The Generic V7 developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Every relative link and picture in README.md and docs/*.md under the given root must lead somewhere: the file
# exists, and a #section of a markdown page names one of its headings (as the web view makes
# their anchors). Prints each broken link with its file and exits 1 if there is one.
use strict;
use warnings;
use utf8;
use open qw(:std :encoding(UTF-8));
use File::Basename qw(dirname);

sub slurp { my ($path) = @_; open(my $in, '<', $path) or return undef; local $/; return <$in>; }

sub anchors {
    my ($text) = @_;
    $text =~ s/^(?:    |\t).*$//mg;    # code blocks hold comments, not headings
    my %seen;
    for my $heading ($text =~ /^#{1,6}\s+(.+?)\s*$/mg) {
        my $slug = lc $heading;
        $slug =~ s/[^\w\- ]//g;
        $slug =~ s/ /-/g;
        $seen{$slug} = 1;
    }
    return \%seen;
}

my $root = shift // '.';
my $broken = 0;
for my $page ("$root/README.md", glob("$root/docs/*.md")) {
    my $text = slurp($page) // die "$page: cannot read\n";
    my $dir = dirname($page);
    (my $prose = $text) =~ s/`[^`\n]*`//g;
    while ($prose =~ /!?\[[^\]]*\]\(\s*([^)\s]+)(?:\s+"[^"]*")?\s*\)/g) {
        my $link = $1;
        next if $link =~ m{^[a-z][a-z0-9+.-]*:}i;    # http:, https:, mailto:
        my ($path, $anchor) = $link =~ /^([^#]*)(?:#(.*))?$/;
        my $target = $path eq '' ? $page : "$dir/$path";
        if (!-e $target) {
            print "$page: $link: no file $target\n";
            $broken = 1;
        } elsif (defined $anchor && $target =~ /\.md$/ && !anchors(slurp($target))->{$anchor}) {
            print "$page: $link: $target has no heading for #$anchor\n";
            $broken = 1;
        }
    }
}
exit $broken;
