// five
// lines
// in
// this
// file
